// Taking a move back, asking the strong computer for a hint, and two people
// at one window: the window's side of what the match does.

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "game/field_view.h"
#include "game/main_window.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

QString NodeText(engine::Node node) { return QStringLiteral("%1 - %2").arg(node.X).arg(node.Y); }

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

engine::Side TForm1::SideToMove() const {
  return m_match->ToMove() == match::Turn::Opponent ? engine::Side::Rival : engine::Side::Own;
}

// «Ход назад» and its button, «Подсказка»: only where the match allows them,
// never in a network game.
void TForm1::UpdateGameCommands() {
  const bool takeBack = m_match->CanTakeBack();
  m_takeBack->setEnabled(takeBack);
  m_bitBtn5->setEnabled(takeBack);
  m_hint->setEnabled(CanHint());
}

void TForm1::N35Click() {
  if (!m_match->CanTakeBack()) return;
  DropHint();
  m_match->TakeBack();
}

void TForm1::BitBtn5Click() { N35Click(); }

// A hint for the side to move, when that side is a person at this window.
bool TForm1::CanHint() const {
  if (!m_match->InProgress() || m_match->IsNetwork()) return false;
  return m_match->ToMove() == match::Turn::Local || (m_match->IsTwoPlayers() && m_match->ToMove() == match::Turn::Opponent);
}

// The strong computer thinks for the side to move, off the window's thread,
// with its countdown; then its node is ringed on the field and named in the
// status bar. The next move takes the ring away.
void TForm1::N36Click() {
  if (!CanHint() || m_hintSearch->IsBusy()) return;
  DropHint();
  const engine::Side side = SideToMove();
  const ai::SearchLimits limits = StrongLimits();
  OnComputerThinking(true, limits.MoveTimeMs);
  m_hintSearch->Start(m_match->Board(), side, limits, m_random.NextSeed(), [this, side](std::optional<engine::Node> node) {
    OnComputerThinking(false, 0);
    if (node) ShowHint(*node, side);
  });
}

void TForm1::ShowHint(engine::Node node, engine::Side side) {
  m_hintRing->SetColor(m_settings.Colors.SideColor(side));
  m_hintRing->move(m_gamePole->pos() + render::MarkerPosition(node, m_hintRing->width(), m_hintRing->height()));
  m_hintRing->raise();
  m_hintRing->show();
  m_selectionPanel->setText(QStringLiteral("Подсказка: ") + NodeText(node));
}

// A hint is for the position it was asked in: a move, a take-back or the
// end of the game drops it, and a search still going is stopped.
void TForm1::DropHint() {
  if (m_hintSearch->IsBusy()) {
    m_hintSearch->Stop();
    OnComputerThinking(false, 0);
  }
  m_hintRing->hide();
}

// «Игра вдвоём»: two people at this window, side 1 in the colour of «ваши
// точки», side 2 in that of the computer's; their names are asked first.
void TForm1::N37Click() {
  if (m_match->InProgress() &&
      !m_prompts.Message(MessageKind::Warning, QStringLiteral("Вы хотите прервать игру?"), MessageButtons::YesNo)) {
    return;
  }
  if (!AskTwoNames()) return;
  m_match->StartTwoPlayers(m_secondPlayer, m_settings.Rules);
}

bool TForm1::AskTwoNames() {
  const QString title = QStringLiteral("Игра вдвоём");
  const auto first = m_prompts.InputText(title, QStringLiteral("Имя первого игрока:"), QStringLiteral("Игрок 1"));
  if (!first) return false;
  const auto second = m_prompts.InputText(title, QStringLiteral("Имя второго игрока:"), QStringLiteral("Игрок 2"));
  if (!second) return false;
  const auto nameOr = [](const QString& name, const char* otherwise) {
    return name.trimmed().isEmpty() ? std::string(otherwise) : name.trimmed().toStdString();
  };
  m_match->SetPlayerName(nameOr(*first, "Игрок 1"));
  m_secondPlayer.SetName(nameOr(*second, "Игрок 2"));
  return true;
}

QString TForm1::TwoPlayersResultText(const match::GameResult& result) const {
  const match::GameRecord record = m_match->Record();
  const QString score = QStringLiteral("%1 : %2").arg(result.Own).arg(result.Rival);
  switch (result.Outcome) {
    case match::Winner::Own: return QStringLiteral("Победил %1!\nСчёт %2.").arg(FromUtf8(record.Player1), score);
    case match::Winner::Rival: return QStringLiteral("Победил %1!\nСчёт %2.").arg(FromUtf8(record.Player2), score);
    case match::Winner::Draw: break;
  }
  return QStringLiteral("Ничья!\nСчёт %1.").arg(score);
}

}  // namespace solvar::game
