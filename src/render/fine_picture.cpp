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
  m_pen = other.m_pen;
  CopyPixels(m_dense, other.m_dense);
  CopyPixels(m_shown, other.m_shown);
  m_dirty = other.m_dirty;
}

FinePicture::FinePicture(int width, int height, qreal ratio, qreal zoom)
    : m_ratio(ratio),
      m_density(ratio * zoom),
      m_pen(std::max(1, static_cast<int>(std::nearbyint(m_density)))),
      m_dense(2 * DeviceSize(width, m_density), 2 * DeviceSize(height, m_density), QImage::Format_RGB32),
      m_shown(DeviceSize(width, m_density), DeviceSize(height, m_density), QImage::Format_RGB32) {
  m_dense.fill(Qt::white);
  m_shown.fill(Qt::white);
  m_shown.setDevicePixelRatio(ratio);
}

int FinePicture::Device(int logical) const { return static_cast<int>(std::nearbyint(logical * m_density)); }

QRect FinePicture::DeviceBox(int left, int top, int right, int bottom) const {
  return QRect(QPoint(Device(left), Device(top)), QPoint(Device(right) - 1, Device(bottom) - 1));
}

// Paints in device pixels of the shown picture on the dense one (two dense
// pixels to each) and marks what it covers.
template <class Work>
void FinePicture::Paint(const QRect& bounds, Work&& paint) {
  QPainter painter(&m_dense);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.scale(2, 2);
  paint(painter);
  m_dirty |= bounds.adjusted(-1, -1, 1, 1);
}

// The parts painted since the last time are averaged down, four dense
// pixels to each of the screen's.
const QImage& FinePicture::Shown() {
  const QRect device = m_dirty & QRect(QPoint(0, 0), m_shown.size());
  m_dirty = QRect();
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
  m_dirty = QRect(QPoint(0, 0), m_shown.size());
}

void FinePicture::Rectangle(int left, int top, int right, int bottom, QRgb pen, QRgb brush) {
  if (right - left < 1 || bottom - top < 1) return;
  const QRect box = DeviceBox(left, top, right, bottom);
  if (box.isEmpty()) return;
  Paint(box, [&](QPainter& painter) {
    painter.fillRect(box, QColor(pen));
    painter.fillRect(box.adjusted(m_pen, m_pen, -m_pen, -m_pen), QColor(brush));
  });
}

// The outline is the ring between the box's ellipse and the same ellipse
// one pen's width in.
void FinePicture::Ellipse(int left, int top, int right, int bottom, QRgb pen, QRgb brush) {
  if (right - left < 1 || bottom - top < 1) return;
  const QRect box = DeviceBox(left, top, right, bottom);
  if (box.isEmpty()) return;
  Paint(box, [&](QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(pen));
    painter.drawEllipse(QRectF(box.x(), box.y(), box.width(), box.height()));
    if (pen == brush || box.width() <= 2 * m_pen || box.height() <= 2 * m_pen) return;
    painter.setBrush(QColor(brush));
    painter.drawEllipse(QRectF(box.x() + m_pen, box.y() + m_pen, box.width() - 2 * m_pen, box.height() - 2 * m_pen));
  });
}

// From the first pixel's centre to the centre of the last one painted, with
// square ends: the same pixels the exact line paints, a pen wide.
void FinePicture::Line(int x1, int y1, int x2, int y2, QRgb pen) {
  const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  if (steps == 0) return;
  const int lastX = x2 - (x2 - x1) / steps;
  const int lastY = y2 - (y2 - y1) / steps;
  const QPointF from(Centre(x1), Centre(y1));
  const QPointF to(Centre(lastX), Centre(lastY));
  const QRect bounds = QRectF(from, to).normalized().toAlignedRect().adjusted(-m_pen, -m_pen, m_pen, m_pen);
  Paint(bounds, [&](QPainter& painter) {
    painter.setPen(QPen(QColor(pen), m_pen, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(from, to);
  });
}

// Through the centres of the vertices' pixels, filled by the odd-even rule,
// its edges a pen wide with round joins (a long thin ring keeps no spikes).
void FinePicture::Polygon(const std::vector<QPoint>& points, QRgb pen, QRgb brush) {
  if (points.empty()) return;
  QPolygonF polygon;
  for (const QPoint& point : points) polygon << QPointF(Centre(point.x()), Centre(point.y()));
  const QRect bounds = polygon.boundingRect().toAlignedRect().adjusted(-m_pen, -m_pen, m_pen, m_pen);
  Paint(bounds, [&](QPainter& painter) {
    painter.setPen(QPen(QColor(pen), m_pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(brush));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
  });
}

}  // namespace solvar::render
