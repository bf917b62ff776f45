// The game on the window: the commands that start, play and give up a game,
// forwarded to the match, and the window's side of what the match reports
// (the layout of a game, the boxes, the counts, the turn).

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include "dialogs/previous_move_dialog.h"
#include "dialogs/records_dialog.h"
#include "game/field_view.h"
#include "game/game_log.h"
#include "game/help_window.h"
#include "game/main_window.h"
#include "game/window_painter.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString ResultText(const match::GameResult& result) {
  switch (result.Outcome) {
    case match::Winner::Own:
      return QStringLiteral("Вы победили!!!\nВы окружили ") + QString::number(result.Own) +
             QStringLiteral(" точек противника.");
    case match::Winner::Rival:
      return QStringLiteral("Вы проиграли!!!\nС раздницей ") + QString::number(result.Rival - result.Own) +
             QStringLiteral(" точек.");
    case match::Winner::Draw: break;
  }
  return QStringLiteral("Ничья! Так получилось!");
}

}  // namespace

int TForm1::LogHeight() const {
  return std::max(45, render::RoundEven(0.3 * m_gamePole->height()));
}

void TForm1::SetScoreLabels(int own, int rival, int free) {
  m_label2->setText(QString::number(own));
  m_label4->setText(QString::number(rival));
  m_label6->setText(QString::number(free));
}

void TForm1::SetMenusForGame(bool inGame) {
  m_lastGame->setEnabled(!inGame && !m_match->Moves().empty());
  m_fieldSettings->setEnabled(!inGame);
  m_surrender->setEnabled(inGame);
  m_viewMenu->menuAction()->setEnabled(!inGame);
  m_setupMenu->menuAction()->setEnabled(!inGame);
}

void TForm1::N2Click() {
  if (m_match->InProgress() &&
      !m_prompts.Message(MessageKind::Warning, QStringLiteral("Вы хотите прервать игру?"), MessageButtons::YesNo)) {
    return;
  }
  m_match->StartAgainstComputer(ComputerOfNextGame(), m_settings.Rules);
}

// «Прервать партию?» before a command ends the game in progress: only Да
// goes on; Нет, Esc or closing the box keeps the game. False also when the
// game ended by itself while the box was open.
bool TForm1::AgreeToEndGame() {
  return m_prompts.Message(MessageKind::Warning, QStringLiteral("Прервать партию?"), MessageButtons::YesNo) &&
         m_match->InProgress();
}

void TForm1::N3Click() {
  if (m_match->InProgress() && !AgreeToEndGame()) return;
  GiveUpGame();
}

// In a game of two people the side to move gives the game up.
void TForm1::GiveUpGame() {
  DropHint();
  m_match->Resign(m_match->IsTwoPlayers() ? SideToMove() : engine::Side::Own);
}
void TForm1::BitBtn2Click() { N3Click(); }

// The picture before the move is kept for the previous-move viewer, also
// when the hidden option plays the computer's dot instead.
void TForm1::GamePoleClick() {
  if (IsShowingSavedGame()) return;  // a saved game on the field takes no click
  const engine::Node node = m_selectedNode;
  if (!m_match->IsFreeNode(node)) {
    m_prompts.Inform(QStringLiteral("Вы не выбрали точку!"));
    return;
  }
  *m_snapshot = *m_canvas;
  m_bitBtn3->setEnabled(true);
  DropHint();
  if (m_checkBox1->isChecked()) {
    m_match->PutRivalDot(node);
    return;
  }
  m_match->PlayTurn(node);
}

// The counts shown are those from before the refresh's own capture scans.
void TForm1::BitBtn4Click() {
  m_match->Refresh();
  m_painter->AllDots();
}

void TForm1::BitBtn3Click() {
  m_form3->ShowSnapshot(m_snapshot->Shown(), m_gamePole->width(), m_gamePole->height());
  m_form3->exec();
}

void TForm1::N5Click() {
  m_form6->Fill(m_records);
  m_form6->exec();
}

// A help file beside the program keeps its classic way (topic 1 through the
// desktop); otherwise the program's own help opens at its contents.
void TForm1::N22Click() {
  if (QFileInfo::exists(m_options.HelpFile)) return OpenHelpTopic(m_desktop, m_prompts, m_options.HelpFile, 1);
  if (m_helpWindow == nullptr) m_helpWindow = new HelpWindow(this);
  m_helpWindow->ShowPage();
}

// A game starts: the window is laid out for the field, the field is shown
// empty, one pixel larger each way in a network game.
void TForm1::OnGameStarted() {
  if (IsShowingSavedGame()) LeaveSavedGame();
  m_viewFinishedGame = false;
  UpdateTitle();
  m_saveGame->setEnabled(true);
  StartLayout();
  const int extra = m_match->IsNetwork() ? 2 : 1;
  m_gamePole->show();
  m_gamePole->setFixedSize(render::CellSize * m_match->Board().FieldWidth() + extra,
                           render::CellSize * m_match->Board().FieldHeight() + extra);
  render::DrawGrid(*m_canvas, m_settings.Colors, m_match->Board().FieldWidth(), m_match->Board().FieldHeight());
  m_gamePole->update();
  m_joinTimer->stop();
  // The keys play on the field from the first move.
  ForgetCursor();
  m_gamePole->setFocus();
}

void TForm1::StartLayout() {
  m_bitBtn3->setEnabled(false);
  m_bitBtn5->setVisible(!m_match->IsNetwork());
  m_canvas->SetBrush(m_settings.Colors.BackColor);
  m_canvas->SetPen(m_settings.Colors.GridColor);
  m_canvas->Rectangle(-1, -1, m_gamePole->width() + 1, m_gamePole->height() + 1);
  SetMenusForGame(true);
  const engine::Board& board = m_match->Board();
  LayOutField(board.FieldWidth(), board.FieldHeight());
  m_label6->setText(QString::number(board.PlayableCount()));
  m_shape1->SetFill(m_settings.Colors.RivalColor);
  if (m_match->IsNetwork()) m_sendMessage->setEnabled(true);
}

// The field image, the score panel beside it and the log below, for a field
// of the given size. A saved game on a field smaller than the smallest one
// the program plays keeps the panel whole beside it.
void TForm1::LayOutField(int fieldWidth, int fieldHeight) {
  constexpr int PanelLeastHeight = 168;
  constexpr int TakeBackRowHeight = 198;  // the take-back button's row below the three
  const int width = render::CellSize * fieldWidth + 1;
  const int height = render::CellSize * fieldHeight + 1;
  const int panelHeight = std::max(height, !m_bitBtn5->isHidden() ? TakeBackRowHeight : PanelLeastHeight);
  m_gamePole->setFixedSize(width, height);
  m_panel1->setGeometry(width, 0, m_panel1->width(), panelHeight);
  m_memo3->setFixedHeight(LogHeight());
  SetContentSize(width + m_panel1->width(), panelHeight + LogHeight());
  m_panel1->show();
}

void TForm1::OnFirstMove(engine::Side side) {
  if (m_match->IsTwoPlayers()) {
    const match::GameRecord record = m_match->Record();
    const std::string& name = side == engine::Side::Own ? record.Player1 : record.Player2;
    return m_prompts.Inform(QStringLiteral("Первым ходит %1!").arg(FromUtf8(name)));
  }
  m_prompts.Inform(side == engine::Side::Own ? QStringLiteral("Ваш ход первый! Ходите")
                                             : QStringLiteral("Первый ход компьютера!"));
}

void TForm1::OnDotPlaced(engine::Node node, engine::Side side) { m_painter->Dot(node, side); }
// In a game of two people the marker marks every move, in the colour of
// the side that played it.
void TForm1::OnMarkerMoved(engine::Node node) {
  if (m_match->IsTwoPlayers()) {
    const bool own = engine::IsTerritoryOf(m_match->Board().At(node), engine::Side::Own);
    m_shape1->SetFill(own ? m_settings.Colors.OwnColor : m_settings.Colors.RivalColor);
  }
  m_painter->Marker(node);
}

// Taken back: the field is painted again from its grid, as the game's dots
// and captures follow.
void TForm1::OnPositionCleared() {
  const engine::Board& board = m_match->Board();
  render::DrawGrid(*m_canvas, m_settings.Colors, board.FieldWidth(), board.FieldHeight());
  m_shape1->hide();
  m_gamePole->update();
}
void TForm1::OnCapture(const engine::Outline& outline) { m_painter->Capture(outline); }
void TForm1::OnLogLine(std::string_view utf8Line) { Log(FromUtf8(utf8Line)); }
void TForm1::OnCandidateDump(std::string_view line) { m_painter->CandidateLine(line); }

void TForm1::OnScoresChanged(const engine::CellCounts& counts) {
  SetScoreLabels(counts.OwnScore, counts.RivalScore, counts.FreeCount);
}

// The field takes clicks except while the opponent is to move (in a game of
// two people both are at this window); the status bar says whose turn it is.
void TForm1::OnTurnChanged(match::Turn turn) {
  m_gamePole->setEnabled(turn != match::Turn::Opponent || m_match->IsTwoPlayers());
  UpdateGameCommands();
  if (!m_match->IsTwoPlayers() || !m_match->InProgress()) return;
  const match::GameRecord record = m_match->Record();
  const std::string& name = turn == match::Turn::Opponent ? record.Player2 : record.Player1;
  m_creditPanel->setText(QStringLiteral("Ходит: ") + FromUtf8(name));
}

// The result of a network game may come from the peer's message: its boxes
// then follow once the socket's handler has returned, and the field stays
// in view until they have been answered.
void TForm1::OnResult(const match::GameResult& result) {
  QString text = m_match->IsTwoPlayers() ? TwoPlayersResultText(result) : ResultText(result);
  if (m_match->TookMovesBack() && !m_match->IsTwoPlayers()) {
    text += QStringLiteral("\nВ партии брали ходы назад: в рекорды она не идёт.");
  }
  ShowBox([this, text] {
    if (m_prompts.Offer(text, QStringLiteral("Посмотреть партию"))) ViewFinishedGameWhenLaidOut();
  });
}

void TForm1::AskWinnerName(std::string_view initial, NameAnswer answer) {
  ShowBox([this, initial = FromUtf8(initial), answer = std::move(answer)] {
    const auto name = m_prompts.InputText(QStringLiteral("Победа!!!"), QStringLiteral("Введите ваше имя:"), initial);
    answer(name ? std::optional<std::string>(name->toStdString()) : std::nullopt);
  });
}

// A win is on the disk as soon as it enters the table, so that nothing won is
// lost if the program is killed; the table is written again at exit.
void TForm1::OnRecordEntered() {
  SaveRecordsFile();
  ShowBox([this] { N5Click(); });
}

void TForm1::OnGameEnded() {
  m_thinkingTimer->stop();
  DropHint();
  UpdateGameCommands();
  if (m_socketDepth > 0 && m_boxes->IsBusy()) {
    m_boxes->Post([this] {
      if (!m_match->InProgress() && !IsShowingSavedGame()) EndGameLayout();
    });
    return;
  }
  EndGameLayout();
}

// The window of a game that has ended, or the game itself in the viewer when
// its result box asked for it.
void TForm1::EndGameLayout() {
  EndLayout();
  if (std::exchange(m_viewFinishedGame, false)) N38Click();
}

// The window shrinks to the log again.
void TForm1::EndLayout() {
  UpdateTitle();
  m_sendMessage->setEnabled(false);
  SetScoreLabels(0, 0, 0);
  SetMenusForGame(false);
  m_gamePole->hide();
  m_panel1->hide();
  m_selectionPanel->clear();
  SetContentSize(m_memo3->width(), m_memo3->height());
  m_shape1->hide();
  m_bitBtn5->hide();
  ForgetCursor();
  m_creditPanel->setText(QString::fromUtf8(CreditLine));
}

}  // namespace solvar::game
