#include "game/field_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace solvar::game {

FieldView::FieldView(const render::FieldCanvas& canvas, QWidget* parent)
    : QWidget(parent), m_canvas(canvas) {
  setMouseTracking(true);
  setCursor(Qt::ArrowCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void FieldView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_canvas.Shown());
}

void FieldView::mouseMoveEvent(QMouseEvent* event) {
  if (onMouseMove) onMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void FieldView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_pressed = rect().contains(event->position().toPoint());
  QWidget::mousePressEvent(event);
}

void FieldView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool pressedHere = std::exchange(m_pressed, false);
  if (pressedHere && rect().contains(event->position().toPoint()) && onClick) onClick();
}

void FieldView::keyPressEvent(QKeyEvent* event) {
  const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
  if (tab && (event->modifiers() & Qt::ControlModifier)) {
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    QWidget::focusNextPrevChild(!back);
    return event->accept();
  }
  if (tab && holdsTab && holdsTab()) return event->accept();
  if (onKey && onKey(*event)) return event->accept();
  QWidget::keyPressEvent(event);
}

bool FieldView::focusNextPrevChild(bool next) {
  if (holdsTab && holdsTab()) return false;  // the Tab goes to keyPressEvent, which keeps it
  return QWidget::focusNextPrevChild(next);
}

MarkerShape::MarkerShape(QWidget* parent) : QWidget(parent) {
  setFixedSize(10, 10);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MarkerShape::SetFill(render::Color color) {
  m_fill = color;
  update();
}

void MarkerShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(render::ToRgb(m_fill)));
  painter.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
}

HintRing::HintRing(QWidget* parent) : QWidget(parent) {
  setFixedSize(18, 18);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HintRing::SetColor(render::Color color) {
  m_color = color;
  update();
}

void HintRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 3));
  painter.drawEllipse(QRectF(2.5, 2.5, width() - 5.0, height() - 5.0));
  painter.setPen(QPen(QColor(render::ToRgb(m_color)), 2));
  painter.drawEllipse(QRectF(2.5, 2.5, width() - 5.0, height() - 5.0));
}

NodeCursor::NodeCursor(QWidget* parent) : QWidget(parent) {
  setFixedSize(12, 12);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void NodeCursor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.drawRect(0, 0, width() - 1, height() - 1);
}

void ClickablePanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick) onClick();
}

}  // namespace solvar::game
