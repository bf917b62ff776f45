#pragma once
// The field picture for a screen of more than one device pixel per logical
// pixel, or for the field zoomed: the same shapes as the exact picture, in
// the same order, drawn at the zoom's times the size and at twice the
// screen's density without smoothing (so painting a shape again,
// or erasing it with the background, leaves nothing behind) and averaged
// down to the screen's density when shown, so that dots are round and
// outlines smooth. Coordinates are the exact picture's: a box covers its
// left and top pixel but not its right and bottom one, a pen lies inside a
// box, a line runs through pixel centres.
//
// Every coordinate lands on a whole device pixel (rounded on its own, not a
// picture scaled by a fraction), and the pen is a whole number of device
// pixels wide, the same for every shape: at 150 % or any zoom a grid line
// is solid across its width, never a line and a pale half-tone beside it.

#include <QImage>
#include <QPoint>
#include <QRectF>

#include <vector>

class QPainter;

namespace solvar::render {

// `to` takes `from`'s pixels: copied into its own memory when it is the
// same size and format and not shared, else a picture of its own.
void CopyPixels(QImage& to, const QImage& from);

class FinePicture {
 public:
  // `ratio` is the screen's density; `zoom` draws the picture that many
  // times larger, at the same density.
  FinePicture(int width, int height, qreal ratio, qreal zoom = 1.0);

  qreal Ratio() const { return m_ratio; }
  // The picture at the screen's density (its device pixel ratio set), the
  // zoom's times the logical size.
  const QImage& Shown();

  void Fill(QRgb color);
  void Rectangle(int left, int top, int right, int bottom, QRgb pen, QRgb brush);
  void Ellipse(int left, int top, int right, int bottom, QRgb pen, QRgb brush);
  void Line(int x1, int y1, int x2, int y2, QRgb pen);
  void Polygon(const std::vector<QPoint>& points, QRgb pen, QRgb brush);

  // Becomes a copy of `other`, into its own pictures where they are the same
  // size (a copy of the pictures would share them, and the next shape drawn
  // on either would copy them again into new memory).
  void CopyFrom(const FinePicture& other);

 private:
  template <class Work>
  void Paint(const QRect& bounds, Work&& paint);
  // The device pixel (of the shown picture) where a logical coordinate falls.
  int Device(int logical) const;
  // The centre of a logical pixel's place, in device pixels.
  qreal Centre(int logical) const { return Device(logical) + m_pen / 2.0; }
  QRect DeviceBox(int left, int top, int right, int bottom) const;

  qreal m_ratio;
  qreal m_density;  // device pixels of the shown picture to one logical pixel: the ratio times the zoom
  int m_pen;        // the pen's width in device pixels
  QImage m_dense;  // at twice the screen's density
  QImage m_shown;  // at the screen's density
  QRect m_dirty;   // device pixels not yet averaged into m_shown
};

}  // namespace solvar::render
