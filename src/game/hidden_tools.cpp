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
  m_match->Frame();
  m_match->Scan(engine::Side::Own);
  m_timer1->start();
}

// Each tick plays up to two moves, side 1 first, and stops the mode as soon
// as no free node is left.
void TForm1::Timer1Timer() {
  engine::Side mover = engine::Side::Own;
  if (m_match->SelfPlay(mover, 2) < 2) m_timer1->stop();
}

void TForm1::Button2Click() {
  m_gamePole->show();
  PutDots(m_match->Board(), engine::csOwn,
          {{1, 4}, {1, 5}, {2, 2}, {2, 3}, {6, 4}, {7, 4}, {8, 2}, {8, 3}, {9, 4}, {10, 4}});
  m_match->ComputerMove(engine::Side::Rival);
  m_match->Scan(engine::Side::Rival);
  m_match->Scan(engine::Side::Own);
}

void TForm1::Button3Click() {
  m_match->Frame();
  render::DrawGrid(*m_canvas, m_settings.Colors, m_match->Board().FieldWidth(), m_match->Board().FieldHeight());
  m_gamePole->update();
}

void TForm1::Button4Click() {
  PutDots(m_match->Board(), engine::csOwn, {{1, 2}, {2, 1}, {3, 2}, {5, 1}, {4, 2}, {4, 3}, {6, 2}, {6, 3}});
  PutDots(m_match->Board(), engine::csRival, {{2, 2}, {5, 2}, {5, 3}});
  m_match->ComputerMove(engine::Side::Own);
  m_match->Scan(engine::Side::Own);
}

void TForm1::BitBtn1Click() {
  m_canvas->Draw(0, 0, m_snapshot);
  m_gamePole->update();
}

void TForm1::Panel2Click() { records::LoadPosition(m_match->Board(), m_options.positionFile.toStdString()); }

}  // namespace solvar::game
