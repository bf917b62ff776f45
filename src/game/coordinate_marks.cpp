#include "game/coordinate_marks.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "render/field_painter.h"

namespace solvar::game {

CoordinateMarks::CoordinateMarks(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CoordinateMarks"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
}

void CoordinateMarks::SetField(int fieldWidth, int fieldHeight, double zoom, render::Color text, render::Color background) {
  m_fieldWidth = fieldWidth;
  m_fieldHeight = fieldHeight;
  m_zoom = zoom;
  m_text = text;
  m_background = background;
  update();
}

// Each number centred on its node's line in the margin, on a patch of the
// background so that the grid line under it does not cross it.
void CoordinateMarks::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QFont font = painter.font();
  const double cell = m_zoom * render::CellSize;
  font.setPixelSize(std::max(7, static_cast<int>(std::lround(cell * 0.6))));
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const QColor text(render::ToRgb(m_text));
  const QColor background(render::ToRgb(m_background));
  const auto mark = [&](int number, QPointF centre) {
    const QString label = QString::number(number);
    QRectF box(0, 0, metrics.horizontalAdvance(label) + 2, metrics.height());
    box.moveCenter(centre);
    painter.fillRect(box, background);
    painter.setPen(text);
    painter.drawText(box, Qt::AlignCenter, label);
  };
  for (int x = 1; x < m_fieldWidth; ++x) mark(x, QPointF(x * cell + 0.5, cell / 2 + 0.5));
  for (int y = 1; y < m_fieldHeight; ++y) mark(y, QPointF(cell / 2 + 0.5, y * cell + 0.5));
}

}  // namespace solvar::game
