#pragma once
// A retained picture with the raster rules the field is drawn by: a 1-pixel
// pen; rectangles and ellipses given by their bounding box, whose right
// column and bottom row stay unpainted, filled with the brush and outlined
// with the pen; lines that paint their first point but not their last;
// polygons filled by the odd-even rule. Colours are $00BBGGRR values and are
// turned into Qt's colours here alone.
//
// On a screen of more device pixels than logical ones, or zoomed, the same
// shapes are also drawn at the screen's density and the zoom's size, and
// that picture is the one shown; the exact picture stays what it is at one
// pixel per pixel.

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <memory>
#include <vector>

namespace solvar::render {

using Color = std::uint32_t;  // $00BBGGRR

QRgb ToRgb(Color color);
Color FromRgb(QRgb rgb);

class FinePicture;

class FieldCanvas {
 public:
  // `ratio` is the screen's device pixel ratio; `zoom` shows the picture
  // that many times larger (drawn at that size by the same rules, not the
  // exact picture stretched).
  FieldCanvas(int width, int height, double ratio = 1.0, double zoom = 1.0);
  ~FieldCanvas();
  FieldCanvas(const FieldCanvas& other);
  FieldCanvas& operator=(const FieldCanvas& other);

  int Width() const { return m_image.width(); }
  int Height() const { return m_image.height(); }
  // The exact picture, one pixel per logical pixel.
  const QImage& Image() const { return m_image; }
  // The picture for the screen: the exact one at a ratio and zoom of 1,
  // else the one drawn at the screen's density and the zoom's size (with
  // its device pixel ratio set).
  const QImage& Shown() const;
  double Zoom() const { return m_zoom; }
  // The shown picture from now on at another zoom, white until drawn again;
  // the exact picture stays as it is.
  void Rezoom(double zoom);

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
  // Takes another canvas's pictures, as they are, in place of its own.
  void Restore(const FieldCanvas& copy);

  QRgb PixelAt(int x, int y) const { return m_image.pixel(x, y); }

 private:
  void Plot(int x, int y, Color color);

  QImage m_image;
  std::unique_ptr<FinePicture> m_fine;  // none at a ratio and zoom of 1
  double m_ratio = 1.0;
  double m_zoom = 1.0;
  Color m_pen = 0x000000;
  Color m_brush = 0xFFFFFF;
  QPoint m_penPosition;
};

}  // namespace solvar::render
