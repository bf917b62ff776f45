// The hidden diagnostic controls: computer against computer, two prepared
// test positions, the bare grid, the picture before the last move, and the
// stored position.

#include <QTimer>

#include "game/field_view.h"
#include "game/main_window.h"
#include "match/diagnostics.h"
#include "records/position_file.h"
#include "render/field_painter.h"

namespace solvar::game {

void TForm1::Button1Click() {
  match::PrepareSelfPlay(*m_match);
  m_timer1->start();
}

// Each tick plays up to two moves, side 1 first, and stops the mode as soon
// as no free node is left.
void TForm1::Timer1Timer() {
  if (m_settings.Level == ComputerLevel::Strong) {
    SelfPlayAgainstStrong();
    return;
  }
  engine::Side mover = engine::Side::Own;
  if (m_match->SelfPlay(mover, 2) < 2) m_timer1->stop();
}

void TForm1::Button2Click() {
  m_gamePole->show();
  match::PlaySurroundCheck(*m_match);
}

void TForm1::Button3Click() {
  m_match->Frame();
  render::DrawGrid(*m_canvas, m_settings.Colors, m_match->Board().FieldWidth(), m_match->Board().FieldHeight());
  m_gamePole->update();
}

void TForm1::Button4Click() { match::PlayCaptureCheck(*m_match); }

void TForm1::BitBtn1Click() {
  m_canvas->Restore(*m_snapshot);
  m_gamePole->update();
}

void TForm1::Panel2Click() {
  records::LoadPosition(m_match->Board(), m_options.PositionFile.toStdString());
  m_match->RecordSetupFromBoard();
}

}  // namespace solvar::game
