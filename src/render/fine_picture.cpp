#include "render/fine_picture.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace solvar::render {

namespace {

int DeviceSize(int logical, qreal ratio) { return static_cast<int>(std::ceil(logical * ratio)); }

}  // namespace

void CopyPixels(QImage& to, const QImage& from) {
  if (to.size() != from.size() || to.format() != from.format() || to.bytesPerLine() != from.bytesPerLine() ||
      !to.isDetached()) {
    to = from.copy();
  } else {
    std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
  }
  to.setDevicePixelRatio(from.devicePixelRatio());
}

void FinePicture::CopyFrom(const FinePicture& other) {
  m_ratio = other.m_ratio;
  m_density = other.m_density;
  CopyPixels(m_dense, other.m_dense);
  CopyPixels(m_shown, other.m_shown);
  m_dirty = other.m_dirty;
}

FinePicture::FinePicture(int width, int height, qreal ratio, qreal zoom)
    : m_ratio(ratio),
      m_density(ratio * zoom),
      m_dense(2 * DeviceSize(width, m_density), 2 * DeviceSize(height, m_density), QImage::Format_RGB32),
      m_shown(DeviceSize(width, m_density), DeviceSize(height, m_density), QImage::Format_RGB32) {
  m_dense.fill(Qt::white);
  m_shown.fill(Qt::white);
  m_shown.setDevicePixelRatio(ratio);
}

// Paints in logical pixels on the dense picture and marks what it covers.
template <class Work>
void FinePicture::Paint(const QRectF& bounds, Work&& paint) {
  QPainter painter(&m_dense);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.scale(2 * m_density, 2 * m_density);
  paint(painter);
  m_dirty |= bounds.adjusted(-1, -1, 1, 1);
}

// The parts painted since the last time are averaged down, four dense
// pixels to each of the screen's.
const QImage& FinePicture::Shown() {
  if (m_dirty.isEmpty()) return m_shown;
  const QRect device = QRectF(m_dirty.topLeft() * m_density, m_dirty.bottomRight() * m_density).toAlignedRect() &
                       QRect(QPoint(0, 0), m_shown.size());
  m_dirty = QRectF();
  if (device.isEmpty()) return m_shown;
  const QImage part = m_dense.copy(QRect(device.topLeft() * 2, device.size() * 2))
                          .scaled(device.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_RGB32);
  m_shown.setDevicePixelRatio(1.0);  // painted in device pixels
  {
    QPainter painter(&m_shown);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(device.topLeft(), part);
  }
  m_shown.setDevicePixelRatio(m_ratio);
  return m_shown;
}

void FinePicture::Fill(QRgb color) {
  m_dense.fill(color);
  m_dirty = QRectF(0, 0, m_shown.width() / m_density, m_shown.height() / m_density);
}

void FinePicture::Rectangle(int left, int top, int right, int bottom, QRgb pen, QRgb brush) {
  if (right - left < 1 || bottom - top < 1) return;
  const QRectF box(left, top, right - left, bottom - top);
  Paint(box, [&](QPainter& painter) {
    painter.fillRect(box, QColor(pen));
    painter.fillRect(box.adjusted(1, 1, -1, -1), QColor(brush));
  });
}

// The outline is the ring between the box's ellipse and the same ellipse
// one pixel in.
void FinePicture::Ellipse(int left, int top, int right, int bottom, QRgb pen, QRgb brush) {
  if (right - left < 1 || bottom - top < 1) return;
  const QRectF box(left, top, right - left, bottom - top);
  Paint(box, [&](QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(pen));
    painter.drawEllipse(box);
    if (pen == brush || box.width() <= 2 || box.height() <= 2) return;
    painter.setBrush(QColor(brush));
    painter.drawEllipse(box.adjusted(1, 1, -1, -1));
  });
}

// From the first pixel's centre to the centre of the last one painted, with
// square ends: the same pixels the exact line paints, one pixel wide.
void FinePicture::Line(int x1, int y1, int x2, int y2, QRgb pen) {
  const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  if (steps == 0) return;
  const QPointF from(x1 + 0.5, y1 + 0.5);
  const QPointF to(x2 + 0.5 - static_cast<qreal>(x2 - x1) / steps, y2 + 0.5 - static_cast<qreal>(y2 - y1) / steps);
  Paint(QRectF(from, to).normalized(), [&](QPainter& painter) {
    painter.setPen(QPen(QColor(pen), 1.0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(from, to);
  });
}

// Through the centres of the vertices' pixels, filled by the odd-even rule,
// its edges one pixel wide with round joins (a long thin ring keeps no
// spikes).
void FinePicture::Polygon(const std::vector<QPoint>& points, QRgb pen, QRgb brush) {
  if (points.empty()) return;
  QPolygonF polygon;
  for (const QPoint& point : points) polygon << QPointF(point) + QPointF(0.5, 0.5);
  Paint(polygon.boundingRect(), [&](QPainter& painter) {
    painter.setPen(QPen(QColor(pen), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(brush));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
  });
}

}  // namespace solvar::render
