#pragma once
// A retained picture with the raster rules the field is drawn by: a 1-pixel
// pen; rectangles and ellipses given by their bounding box, whose right
// column and bottom row stay unpainted, filled with the brush and outlined
// with the pen; lines that paint their first point but not their last;
// polygons filled by the odd-even rule. Colours are $00BBGGRR values and are
// turned into Qt's colours here alone.

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <vector>

namespace solvar::render {

using Color = std::uint32_t;  // $00BBGGRR

QRgb ToRgb(Color color);
Color FromRgb(QRgb rgb);

class FieldCanvas {
 public:
  FieldCanvas(int width, int height);

  int Width() const { return m_image.width(); }
  int Height() const { return m_image.height(); }
  const QImage& Image() const { return m_image; }

  void SetPen(Color color) { m_pen = color; }
  void SetBrush(Color color) { m_brush = color; }
  Color Pen() const { return m_pen; }
  Color Brush() const { return m_brush; }

  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void MoveTo(int x, int y) { m_penPosition = QPoint(x, y); }
  void LineTo(int x, int y);
  void Line(int x1, int y1, int x2, int y2);
  void Polygon(const std::vector<QPoint>& points);
  // Copies a picture onto this one with its top-left corner at (x, y).
  void Draw(int x, int y, const QImage& picture);

  QRgb PixelAt(int x, int y) const { return m_image.pixel(x, y); }

 private:
  void Plot(int x, int y, Color color);

  QImage m_image;
  Color m_pen = 0x000000;
  Color m_brush = 0xFFFFFF;
  QPoint m_penPosition;
};

}  // namespace solvar::render
