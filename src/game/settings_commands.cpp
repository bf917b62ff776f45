// The commands that change settings between games, and the information
// windows.

#include "dialogs/about_dialog.h"
#include "dialogs/field_size_dialog.h"
#include "dialogs/network_options_dialog.h"
#include "game/main_window.h"

namespace solvar::game {

void TForm1::N4Click() {
  if (m_form4->exec() != QDialog::Accepted) return;
  m_match->Board().SetFieldSize(m_form4->ChosenWidth(), m_form4->ChosenHeight());
}

// The chooser starts at the current colour; confirming takes its choice,
// cancelling keeps the colour. The legend icons are redrawn either way, and
// a game shown on the field at once.
void TForm1::ChooseColor(render::Color& color) {
  if (const auto chosen = m_prompts.ChooseColor(color)) color = *chosen;
  DrawLegendIcons();
  if (IsShowingSavedGame()) ShowSavedMove(m_savedGame->Position());
}

void TForm1::N9Click() { ChooseColor(m_settings.Colors.OwnColor); }
void TForm1::N10Click() { ChooseColor(m_settings.Colors.RivalColor); }
void TForm1::N11Click() { ChooseColor(m_settings.Colors.BackColor); }
void TForm1::N12Click() { ChooseColor(m_settings.Colors.GridColor); }

void TForm1::N20Click() { m_form5->exec(); }

void TForm1::N24Click() {
  m_aboutFrm->ShowAboutPage();
  m_aboutFrm->exec();
}

void TForm1::N25Click() {
  m_aboutFrm->ShowFeedbackPage();
  m_aboutFrm->exec();
}

}  // namespace solvar::game
