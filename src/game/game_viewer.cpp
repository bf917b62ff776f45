#include "game/game_viewer.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

#include <cmath>

#include "game/field_presenter.h"
#include "game/move_list.h"
#include "game/score_panel.h"
#include "game/status_panels.h"
#include "game/window_boxes.h"
#include "match/sgf_file.h"

namespace solvar::game {

namespace {

constexpr qint64 LargestGameFile = 4 * 1024 * 1024;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString AgainstComputerText(const match::GameResult& result) {
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

// Both sides named with their captures: «Счёт: Аня — 17, Борис — 38.»
QString TwoPeopleText(const match::Match& match, const match::GameResult& result) {
  const match::GameRecord record = match.Record();
  const QString first = FromUtf8(record.Player1);
  const QString second = FromUtf8(record.Player2);
  const QString score = QStringLiteral("Счёт: %1 — %2, %3 — %4.").arg(first).arg(result.Own).arg(second).arg(result.Rival);
  const QString onTime = result.OnTime ? QStringLiteral(" по времени") : QString();
  switch (result.Outcome) {
    case match::Winner::Own: return QStringLiteral("Победил %1%2!\n%3").arg(first, onTime, score);
    case match::Winner::Rival: return QStringLiteral("Победил %1%2!\n%3").arg(second, onTime, score);
    case match::Winner::Draw: break;
  }
  return QStringLiteral("Ничья!\n%1").arg(score);
}

// A shown game's dots, captures and counts go onto the field and the panel.
class ShownGamePainter : public match::MatchObserver {
 public:
  ShownGamePainter(FieldPresenter& field, ScorePanel& panel) : m_field(field), m_panel(panel) {}
  void OnDotPlaced(engine::Node node, engine::Side side) override { m_field.Dot(node, side); }
  void OnCapture(const engine::Outline& outline) override { m_field.Capture(outline); }
  void OnScoresChanged(const engine::CellCounts& counts) override {
    m_panel.SetCounts(counts.OwnScore, counts.RivalScore, counts.FreeCount);
  }

 private:
  FieldPresenter& m_field;
  ScorePanel& m_panel;
};

}  // namespace

QString ResultText(const match::Match& match, const match::GameResult& result) {
  if (match.IsTwoPlayers()) return TwoPeopleText(match, result);
  QString text = AgainstComputerText(result);
  if (result.OnTime) {
    text = (result.Outcome == match::Winner::Own ? QStringLiteral("Время соперника вышло!\n")
                                                 : QStringLiteral("Ваше время вышло!\n")) + text;
  }
  if (match.TookMovesBack()) text += QStringLiteral("\nВ партии брали ходы назад: в рекорды она не идёт.");
  return text;
}

GameViewer::GameViewer(QWidget& window, match::Match& match, FieldPresenter& field, ScorePanel& panel,
                       StatusPanels& status, WindowBoxes& boxes, const render::FieldColors& colors, Window hooks)
    : m_match(match),
      m_field(field),
      m_panel(panel),
      m_status(status),
      m_boxes(boxes),
      m_colors(colors),
      m_window(std::move(hooks)),
      m_parent(window) {
  const auto step = [this](QToolButton* button, int by) {
    QObject::connect(button, &QToolButton::clicked, &m_parent,
                     [this, by] { m_boxes.Guarded([this, by] { ShowMove(m_game->Position() + by); }); });
  };
  step(panel.ViewBack(), -1);
  step(panel.ViewForward(), +1);
  QObject::connect(panel.ViewClose(), &QToolButton::clicked, &m_parent, [this] { m_boxes.Guarded([this] { Leave(); }); });
  // The keys work only while a game is shown: in play the arrows move the
  // field's cursor.
  const std::pair<Qt::Key, std::function<void()>> keys[] = {
      {Qt::Key_Left, [this] { ShowMove(m_game->Position() - 1); }},
      {Qt::Key_Right, [this] { ShowMove(m_game->Position() + 1); }},
      {Qt::Key_Home, [this] { ShowMove(0); }},
      {Qt::Key_End, [this] { ShowMove(m_game->MoveCount()); }},
      {Qt::Key_Escape, [this] { Leave(); }},
  };
  for (const auto& key : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key.first), &m_parent);
    shortcut->setEnabled(false);
    QObject::connect(shortcut, &QShortcut::activated, &m_parent, [this, command = key.second] {
      if (IsShowing()) m_boxes.Guarded(command);
    });
    m_keys.push_back(shortcut);
  }
}

GameViewer::~GameViewer() = default;

void GameViewer::AddCommands(QMenu& menu) {
  const auto add = [&](const char* name, QStyle::StandardPixmap icon, bool withIcon, const QString& caption,
                       void (GameViewer::*command)()) {
    QAction* action = withIcon ? menu.addAction(QApplication::style()->standardIcon(icon), caption) : menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, &m_parent, [this, command] { m_boxes.Guarded([this, command] { (this->*command)(); }); });
    return action;
  };
  m_save = add("N30", QStyle::SP_DialogSaveButton, true, QStringLiteral("Сохр&анить партию…"), &GameViewer::OnSave);
  m_save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  m_save->setEnabled(false);
  add("N31", QStyle::SP_DialogOpenButton, true, QStringLiteral("&Открыть партию…"), &GameViewer::OnOpen)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  m_lastGame = add("N38", QStyle::SP_CustomBase, false, QStringLiteral("Пос&ледняя партия"), &GameViewer::OnLastGame);
  m_lastGame->setEnabled(false);
}

void GameViewer::OnSave() {
  const match::GameRecord record = IsShowing() ? m_game->Record() : m_match.Record();
  const auto path = ChooseFile(FileChoice::SaveGame);
  if (!path) return;
  QSaveFile file(*path);
  const std::string text = match::WriteSgf(record, QDate::currentDate().toString(Qt::ISODate).toStdString());
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
                       file.commit();
  if (!written) {
    m_boxes.Ask().Error(
        QStringLiteral("Партия не сохранена в файл %1: %2").arg(QFileInfo(*path).fileName(), file.errorString()));
  }
}

// During a game it asks first; the game ends only when a file is opened.
void GameViewer::OnOpen() {
  if (m_match.InProgress() && !m_window.AgreeToEndGame()) return;
  const auto path = ChooseFile(FileChoice::OpenGame);
  if (path) Open(*path);
}

// The dialog starts in the folder last used, and the folder chosen is kept.
std::optional<QString> GameViewer::ChooseFile(FileChoice choice) {
  const auto path = m_boxes.Ask().ChooseFile(choice, m_window.GamesFolder ? m_window.GamesFolder() : QString());
  if (path && m_window.KeepGamesFolder) m_window.KeepGamesFolder(QFileInfo(*path).absolutePath());
  return path;
}

// The game that has just ended, at its final position, from the match's own
// record.
void GameViewer::OnLastGame() {
  if (m_match.InProgress() || m_match.Moves().empty()) return;
  Show(m_match.Record());
}

// A file that is refused changes nothing: the message says what is wrong.
bool GameViewer::Open(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    m_boxes.Ask().Error(QStringLiteral("Партия не открыта: файл %1 не читается (%2).").arg(name, file.errorString()));
    return false;
  }
  if (file.size() > LargestGameFile) {
    m_boxes.Ask().Error(QStringLiteral("Партия не открыта: файл %1 слишком велик для партии.").arg(name));
    return false;
  }
  const QByteArray text = file.readAll();
  match::OpenedGame opened;
  try {
    opened = match::OpenSgf(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  } catch (const match::SgfError& error) {
    m_boxes.Ask().Error(QStringLiteral("Партия не открыта: %1").arg(FromUtf8(error.Russian())));
    return false;
  }
  if (m_match.InProgress()) m_window.GiveUpGame();
  Show(std::move(opened.Record));
  // A game that cannot be played to its end is shown to its last playable
  // move; the box says which move stops it and why, and what the reader
  // assumed where the file was silent.
  const QString note = FromUtf8(opened.AssumedRussian + (opened.AssumedRussian.empty() || opened.IsWhole() ? "" : "\n") +
                                opened.NoteRussian);
  if (!note.isEmpty()) m_boxes.Ask().Inform(note);
  return true;
}

// The game's final position, on a field of its size; the match's own Board
// and field size are left as they are.
void GameViewer::Show(match::GameRecord record) {
  if (IsShowing()) Leave();
  m_game = std::make_unique<match::GameReplay>(std::move(record));
  m_field.PaintFrom(m_game->Board());
  m_save->setEnabled(true);
  m_panel.PreviousMove()->setEnabled(false);
  if (m_window.GameShown) m_window.GameShown();
  m_window.LayOutField(m_game->Record().FieldWidth, m_game->Record().FieldHeight);
  m_field.Show();
  for (QShortcut* key : m_keys) key->setEnabled(true);
  m_panel.ShowGameButtons(false);
  m_panel.NameCounters(SideName(m_game->Record(), engine::Side::Own), SideName(m_game->Record(), engine::Side::Rival));
  ShowMove(m_game->MoveCount());
  m_window.TitleChanged();
}

// The position after `moves` moves, with the last dot marked in the colour
// of the side that played it (so that it hides no dot's colour) and the move
// and its player in the status bar.
void GameViewer::ShowMove(int moves) {
  m_field.ClearToGrid(m_game->Board());
  ShownGamePainter painter(m_field, m_panel);
  m_game->ShowPosition(moves, painter);
  const match::GameRecord& record = m_game->Record();
  const int shown = m_game->Position();
  m_panel.ViewBack()->setEnabled(shown > 0);
  m_panel.ViewForward()->setEnabled(shown < m_game->MoveCount());
  if (shown == 0) {
    m_field.HideMarker();
    m_status.Say(QStringLiteral("Начало партии"));
  } else {
    const match::PlayedMove& last = record.Moves[static_cast<std::size_t>(shown - 1)];
    m_field.MarkMove(last.Dot, m_colors.SideColor(last.Mover));
    m_status.Say(QStringLiteral("Ход %1 из %2").arg(shown).arg(m_game->MoveCount()));
  }
  m_status.SetCredit(MoveCredit(shown));
  ShowClocks(shown);
  if (m_window.MoveShown) m_window.MoveShown(shown);
}

// A game whose file kept its clocks shows each side's time left at the move
// shown; its time control, as the file writes it, is in their tooltips.
void GameViewer::ShowClocks(int moves) {
  const match::GameRecord& record = m_game->Record();
  const bool shown = match::HasClocks(record);
  m_panel.ShowClocks(shown);
  if (!shown) return;
  const auto left = match::RecordedClocks(record, moves);
  QString control = QStringLiteral("Контроль времени:");
  if (record.TimeMain) control += QStringLiteral(" %1 с").arg(*record.TimeMain);
  if (!record.Overtime.empty()) control += QStringLiteral(" + ") + FromUtf8(record.Overtime);
  for (const engine::Side side : {engine::Side::Own, engine::Side::Rival}) {
    const auto& seconds = left[side == engine::Side::Own ? 0 : 1];
    const QString text = seconds ? QString::fromStdString(match::ClockText(match::Millis(std::llround(*seconds * 1000))))
                                 : QStringLiteral("—");
    m_panel.SetClock(side, text, false, seconds && *seconds < 10.0);
    m_panel.Clock(side)->setToolTip(control);
  }
}

QString GameViewer::MoveCredit(int moves) const {
  if (moves <= 0) return QStringLiteral("ходов: %1").arg(m_game->MoveCount());
  const match::GameRecord& record = m_game->Record();
  const match::PlayedMove& move = record.Moves[static_cast<std::size_t>(moves - 1)];
  return FromUtf8(move.Mover == engine::Side::Own ? record.Player1 : record.Player2);
}

void GameViewer::KeepAnalysis(std::vector<match::MoveJudgement> analysis) {
  if (IsShowing()) m_game->KeepAnalysis(std::move(analysis));
}

void GameViewer::Leave() {
  if (m_window.GameLeft) m_window.GameLeft();
  m_game.reset();
  m_window.TitleChanged();
  m_field.PaintFrom(m_match.Board());
  m_panel.ShowGameButtons(true);
  m_panel.ShowClocks(false);
  m_status.ResetCredit();
  for (QShortcut* key : m_keys) key->setEnabled(false);
  m_window.EndLayout();
}

// The result may come from the peer's message: its box then follows once
// the socket's handler has returned.
void GameViewer::OfferResult(const match::GameResult& result) {
  const QString text = ResultText(m_match, result);
  m_boxes.Show([this, text] {
    if (m_boxes.Ask().Offer(text, QStringLiteral("Посмотреть партию"))) ViewFinishedGameWhenLaidOut();
  });
}

// «Посмотреть партию»: the game is shown once its end has been laid out
// (the name box and the records may come first).
void GameViewer::ViewFinishedGameWhenLaidOut() {
  if (!m_match.InProgress() && m_panel.isHidden()) return OnLastGame();
  m_viewFinishedGame = true;
}

void GameViewer::GameStarted() {
  if (IsShowing()) Leave();
  m_viewFinishedGame = false;
  m_save->setEnabled(true);
}

void GameViewer::GameLaidOut() {
  if (std::exchange(m_viewFinishedGame, false)) OnLastGame();
}

void GameViewer::SetMenusForGame(bool inGame) { m_lastGame->setEnabled(!inGame && !m_match.Moves().empty()); }

void GameViewer::ColorsChanged() {
  if (IsShowing()) ShowMove(m_game->Position());
}

QString GameViewer::TitlePart() const {
  if (!IsShowing()) return QString();
  const match::GameRecord& record = m_game->Record();
  QString part = QStringLiteral(" — ") + SideName(record, engine::Side::Own) + QStringLiteral(" и ") +
                 SideName(record, engine::Side::Rival);
  const std::string result = match::ResultDescription(record);
  if (!result.empty()) part += QStringLiteral(": ") + QString::fromStdString(result);
  if (record.Rules == engine::Rules::Sport) part += QStringLiteral(", спортивные правила");
  return part;
}

}  // namespace solvar::game
