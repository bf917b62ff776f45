#include "game/window_painter.h"

#include "game/field_view.h"

namespace solvar::game {

void WindowPainter::Dot(engine::Node node, engine::Side side) {
  render::DrawDot(m_canvas, m_colors, node, side == engine::Side::Own);
  m_field.update();
}

void WindowPainter::Capture(const engine::Outline& outline) {
  render::DrawOutline(m_canvas, m_colors, outline.Vertices, outline.Capturer);
  AllDots();
}

void WindowPainter::AllDots() {
  render::DrawAllDots(m_canvas, m_colors, *m_board);
  m_field.update();
}

}  // namespace solvar::game
