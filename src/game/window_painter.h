#pragma once
// Paints what the game reports: dots, and captures with every dot repainted
// over them. It holds only what it paints.

#include "engine/board.h"
#include "engine/capture_scan.h"
#include "render/field_canvas.h"
#include "render/field_painter.h"

namespace solvar::game {

class FieldView;

class WindowPainter {
 public:
  WindowPainter(render::FieldCanvas& canvas, const render::FieldColors& colors, const engine::Board& board,
                FieldView& field)
      : m_canvas(canvas), m_colors(colors), m_board(&board), m_field(field) {}

  // The Board whose dots are repainted over a capture: the game's, or a
  // saved game's while it is shown.
  void PaintFrom(const engine::Board& board) { m_board = &board; }

  void Dot(engine::Node node, engine::Side side);
  void Capture(const engine::Outline& outline);
  void AllDots();

 private:
  render::FieldCanvas& m_canvas;
  const render::FieldColors& m_colors;
  const engine::Board* m_board;
  FieldView& m_field;
};

}  // namespace solvar::game
