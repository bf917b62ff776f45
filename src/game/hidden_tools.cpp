// The hidden diagnostic controls: computer against computer, two prepared
// test positions, the bare grid, the picture before the last move, and the
// stored position.

#include <QTimer>

#include "game/field_view.h"
#include "game/main_window.h"
#include "records/position_file.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

using engine::Node;

void PutDots(engine::Board& board, engine::CellState code, std::initializer_list<Node> nodes) {
  for (const Node node : nodes) board.Set(node, code);
}

}  // namespace

void TForm1::Button1Click() {
  engine::FrameBoard(m_state.Board);
  engine::ScanCaptures(m_state.Board, engine::Side::Own, ScanContextFor());
  m_timer1->start();
}

// Each tick plays up to two moves, side 1 first, and stops the mode as soon
// as no free node is left.
void TForm1::Timer1Timer() {
  UpdateScores();
  if (m_state.FreeCount == 0) {
    m_timer1->stop();
    return;
  }
  PlayComputerMove(engine::Side::Own);
  UpdateScores();
  if (m_state.FreeCount == 0) {
    m_timer1->stop();
    return;
  }
  PlayComputerMove(engine::Side::Rival);
}

void TForm1::Button2Click() {
  m_gamePole->show();
  PutDots(m_state.Board, engine::csOwn,
          {{1, 4}, {1, 5}, {2, 2}, {2, 3}, {6, 4}, {7, 4}, {8, 2}, {8, 3}, {9, 4}, {10, 4}});
  PlayComputerMove(engine::Side::Rival);
  engine::ScanCaptures(m_state.Board, engine::Side::Rival, ScanContextFor());
  engine::ScanCaptures(m_state.Board, engine::Side::Own, ScanContextFor());
}

void TForm1::Button3Click() {
  engine::FrameBoard(m_state.Board);
  render::DrawGrid(*m_canvas, m_settings.Colors, m_state.Board.FieldWidth(), m_state.Board.FieldHeight());
  RefreshField();
}

void TForm1::Button4Click() {
  PutDots(m_state.Board, engine::csOwn, {{1, 2}, {2, 1}, {3, 2}, {5, 1}, {4, 2}, {4, 3}, {6, 2}, {6, 3}});
  PutDots(m_state.Board, engine::csRival, {{2, 2}, {5, 2}, {5, 3}});
  PlayComputerMove(engine::Side::Own);
  engine::ScanCaptures(m_state.Board, engine::Side::Own, ScanContextFor());
}

void TForm1::BitBtn1Click() {
  m_canvas->Draw(0, 0, m_snapshot);
  RefreshField();
}

void TForm1::Panel2Click() { records::LoadPosition(m_state.Board, m_options.positionFile.toStdString()); }

}  // namespace solvar::game
