#pragma once
// GamePole: shows the field picture and reports the mouse and the keys over
// it. Its enabled state is the turn token of a network game.

#include <QWidget>

#include <functional>

#include "render/field_canvas.h"

namespace solvar::game {

class FieldView : public QWidget {
  Q_OBJECT
 public:
  FieldView(const render::FieldCanvas& canvas, QWidget* parent);

  std::function<void(int x, int y)> onMouseMove;
  std::function<void()> onClick;
  // A key pressed on the field; true when it was taken.
  std::function<bool(const QKeyEvent& event)> onKey;
  // While this says so, Tab and Shift+Tab stay on the field; Ctrl+Tab and
  // Ctrl+Shift+Tab still move on.
  std::function<bool()> holdsTab;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  const render::FieldCanvas& m_canvas;
  // A click is a press and a release both on the field: a release left over
  // from a menu or a box closed over it plays nothing.
  bool m_pressed = false;
};

// Shape1: the circle that marks the last dot of the computer or the peer.
class MarkerShape : public QWidget {
  Q_OBJECT
 public:
  explicit MarkerShape(QWidget* parent);
  void SetFill(render::Color color);
  render::Color Fill() const { return m_fill; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  render::Color m_fill = 0x0000FF;
};

// The hint's mark: a ring round the node the strong computer would play, in
// the colour of the side it thinks for, unlike the filled last-move marker.
class HintRing : public QWidget {
  Q_OBJECT
 public:
  explicit HintRing(QWidget* parent);
  void SetColor(render::Color color);
  render::Color Color() const { return m_color; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  render::Color m_color = 0xC0C0C0;
};

// The keyboard's cursor on the field: a dashed square round the node it
// stands on, shown while the keys move it, so that it can be seen also on a
// node that takes no preview dot.
class NodeCursor : public QWidget {
  Q_OBJECT
 public:
  explicit NodeCursor(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A panel that reports a click on it.
class ClickablePanel : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace solvar::game
