#pragma once
// «Вид» → «Координаты»: the numbers of the columns along the top of the
// field and of the rows down its left side, in the numbering the log, the
// move list and the status bar name nodes by («12 - 6» is column 12, row
// 6), at every zoom. They stand over the field's picture in the margin
// between its frame and the first row and column of nodes, so the picture
// itself stays as it is; off by default.

#include <QWidget>

#include "render/field_canvas.h"

namespace solvar::game {

class CoordinateMarks : public QWidget {
  Q_OBJECT
 public:
  explicit CoordinateMarks(QWidget* parent);
  // The field of FieldWidth x FieldHeight at the zoom, drawn in `colors`.
  void SetField(int fieldWidth, int fieldHeight, double zoom, render::Color text, render::Color background);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_fieldWidth = 0;
  int m_fieldHeight = 0;
  double m_zoom = 1.0;
  render::Color m_text = 0;
  render::Color m_background = 0xFFFFFF;
};

}  // namespace solvar::game
