#include "render/field_canvas.h"

#include <QPainter>

#include "render/fine_picture.h"
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace solvar::render {

QRgb ToRgb(Color color) {
  return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
              static_cast<int>((color >> 16) & 0xFF));
}

Color FromRgb(QRgb rgb) {
  return static_cast<Color>(qRed(rgb)) | (static_cast<Color>(qGreen(rgb)) << 8) |
         (static_cast<Color>(qBlue(rgb)) << 16);
}

FieldCanvas::FieldCanvas(int width, int height, double ratio, double zoom)
    : m_image(width, height, QImage::Format_RGB32), m_ratio(ratio), m_zoom(zoom) {
  m_image.fill(Qt::white);
  if (ratio != 1.0 || zoom != 1.0) m_fine = std::make_unique<FinePicture>(width, height, ratio, zoom);
}

FieldCanvas::~FieldCanvas() = default;

FieldCanvas::FieldCanvas(const FieldCanvas& other)
    : m_image(other.m_image.copy()),
      m_fine(other.m_fine ? std::make_unique<FinePicture>(*other.m_fine) : nullptr),
      m_ratio(other.m_ratio),
      m_zoom(other.m_zoom),
      m_pen(other.m_pen),
      m_brush(other.m_brush),
      m_penPosition(other.m_penPosition) {}

FieldCanvas& FieldCanvas::operator=(const FieldCanvas& other) {
  if (this == &other) return *this;
  Restore(other);
  m_pen = other.m_pen;
  m_brush = other.m_brush;
  m_penPosition = other.m_penPosition;
  return *this;
}

const QImage& FieldCanvas::Shown() const { return m_fine ? m_fine->Shown() : m_image; }

void FieldCanvas::Plot(int x, int y, Color color) {
  if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) return;
  reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = ToRgb(color);
}

void FieldCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  if (m_fine) m_fine->Rectangle(left, top, right, bottom, ToRgb(m_pen), ToRgb(m_brush));
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const bool edge = x == left || x == right - 1 || y == top || y == bottom - 1;
      Plot(x, y, edge ? m_pen : m_brush);
    }
  }
}

// A pixel belongs to the ellipse when its centre lies inside the ellipse
// inscribed in the box; the outline is every such pixel with an orthogonal
// neighbour outside.
void FieldCanvas::Ellipse(int left, int top, int right, int bottom) {
  const double rx = (right - left) / 2.0;
  const double ry = (bottom - top) / 2.0;
  if (rx <= 0 || ry <= 0) return;
  if (m_fine) m_fine->Ellipse(left, top, right, bottom, ToRgb(m_pen), ToRgb(m_brush));
  const double cx = left + rx;
  const double cy = top + ry;
  auto inside = [&](int x, int y) {
    if (x < left || x >= right || y < top || y >= bottom) return false;
    const double dx = (x + 0.5 - cx) / rx;
    const double dy = (y + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0 + 1e-9;
  };
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (!inside(x, y)) continue;
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      Plot(x, y, edge ? m_pen : m_brush);
    }
  }
}

// Bresenham's line from (x1, y1) up to, but not including, (x2, y2).
void FieldCanvas::Line(int x1, int y1, int x2, int y2) {
  if (m_fine) m_fine->Line(x1, y1, x2, y2, ToRgb(m_pen));
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  while (x1 != x2 || y1 != y2) {
    Plot(x1, y1, m_pen);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y1 += sy;
    }
  }
}

void FieldCanvas::LineTo(int x, int y) {
  Line(m_penPosition.x(), m_penPosition.y(), x, y);
  m_penPosition = QPoint(x, y);
}

void FieldCanvas::Polygon(const std::vector<QPoint>& points) {
  if (points.empty()) return;
  if (m_fine) m_fine->Polygon(points, ToRgb(m_pen), ToRgb(m_brush));
  QPainter painter(&m_image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(QColor(ToRgb(m_pen)), 0));
  painter.setBrush(QColor(ToRgb(m_brush)));
  painter.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

// Pictures of the same size are copied into the memory they have, so that
// keeping a snapshot at every move costs a copy and nothing more.
void FieldCanvas::Restore(const FieldCanvas& copy) {
  CopyPixels(m_image, copy.m_image);
  if (!copy.m_fine) {
    m_fine.reset();
  } else if (m_fine) {
    m_fine->CopyFrom(*copy.m_fine);
  } else {
    m_fine = std::make_unique<FinePicture>(*copy.m_fine);
  }
  m_ratio = copy.m_ratio;
  m_zoom = copy.m_zoom;
}

void FieldCanvas::Rezoom(double zoom) {
  m_zoom = zoom;
  m_fine = m_ratio != 1.0 || zoom != 1.0 ? std::make_unique<FinePicture>(m_image.width(), m_image.height(), m_ratio, zoom)
                                          : nullptr;
}

}  // namespace solvar::render
