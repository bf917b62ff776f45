// Games kept as SGF files: «Сохранить партию…» writes the game on the field
// (or the last one, until the next starts), «Открыть партию…» shows a saved
// game on the field, «Последняя партия» the game that has just ended; either
// is stepped through move by move with the arrow keys, Home and End, or two
// buttons that stand in the score panel in place of the game's three, and
// Esc or the third button («Закрыть») leaves it.

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QSaveFile>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include "game/field_view.h"
#include "game/main_window.h"
#include "game/window_painter.h"
#include "match/sgf_file.h"
#include "render/field_painter.h"

namespace solvar::game {

namespace {

constexpr qint64 LargestGameFile = 4 * 1024 * 1024;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void TForm1::CreateSavedGameControls() {
  const auto button = [this](const char* name, QStyle::StandardPixmap icon, int x, int step) {
    auto* b = new QToolButton(m_panel1);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, 136, 27, 27);
    b->setIcon(style()->standardIcon(icon));
    b->hide();
    connect(b, &QToolButton::clicked, this,
            [this, step] { Guarded([this, step] { ShowSavedMove(m_savedGame->Position() + step); }); });
    return b;
  };
  m_viewBack = button("ViewBack", QStyle::SP_MediaSeekBackward, 8, -1);
  m_viewBack->setToolTip(QStringLiteral("Ход назад"));
  m_viewForward = button("ViewForward", QStyle::SP_MediaSeekForward, 40, +1);
  m_viewForward->setToolTip(QStringLiteral("Ход вперёд"));
  m_viewClose = new QToolButton(m_panel1);
  m_viewClose->setObjectName(QStringLiteral("ViewClose"));
  m_viewClose->setGeometry(72, 136, 27, 27);
  m_viewClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  m_viewClose->setToolTip(QStringLiteral("Закрыть"));
  m_viewClose->setAccessibleName(QStringLiteral("Закрыть"));
  m_viewClose->hide();
  connect(m_viewClose, &QToolButton::clicked, this, [this] { Guarded([this] { LeaveSavedGame(); }); });
  // The keys work only while a game is shown: in play the arrows move the
  // field's cursor.
  const std::pair<Qt::Key, std::function<void()>> keys[] = {
      {Qt::Key_Left, [this] { ShowSavedMove(m_savedGame->Position() - 1); }},
      {Qt::Key_Right, [this] { ShowSavedMove(m_savedGame->Position() + 1); }},
      {Qt::Key_Home, [this] { ShowSavedMove(0); }},
      {Qt::Key_End, [this] { ShowSavedMove(m_savedGame->MoveCount()); }},
      {Qt::Key_Escape, [this] { LeaveSavedGame(); }},
  };
  for (const auto& key : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key.first), this);
    shortcut->setEnabled(false);
    connect(shortcut, &QShortcut::activated, this, [this, command = key.second] {
      if (IsShowingSavedGame()) Guarded(command);
    });
    m_viewKeys.push_back(shortcut);
  }
}

void TForm1::N30Click() {
  const match::GameRecord record = IsShowingSavedGame() ? m_savedGame->Record() : m_match->Record();
  const auto path = m_prompts.ChooseFile(FileChoice::SaveGame);
  if (!path) return;
  QSaveFile file(*path);
  const std::string text = match::WriteSgf(record, QDate::currentDate().toString(Qt::ISODate).toStdString());
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
                       file.commit();
  if (!written) {
    m_prompts.Error(QStringLiteral("Партия не сохранена в файл %1: %2").arg(QFileInfo(*path).fileName(), file.errorString()));
  }
}

// During a game it asks first; the game ends only when a file is opened.
void TForm1::N31Click() {
  if (m_match->InProgress() && !AgreeToEndGame()) return;
  const auto path = m_prompts.ChooseFile(FileChoice::OpenGame);
  if (path) OpenSavedGame(*path);
}

// «Последняя партия»: the game that has just ended, at its final position,
// from the match's own record.
void TForm1::N38Click() {
  if (m_match->InProgress() || m_match->Moves().empty()) return;
  ShowSavedGame(m_match->Record());
}

// «Посмотреть партию» in the result box: the game is shown once its end has
// been laid out (the name box and the records may come first).
void TForm1::ViewFinishedGameWhenLaidOut() {
  if (!m_match->InProgress() && m_panel1->isHidden()) return N38Click();
  m_viewFinishedGame = true;
}

// A file that is refused changes nothing: the message says what is wrong.
bool TForm1::OpenSavedGame(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    m_prompts.Error(QStringLiteral("Партия не открыта: файл %1 не читается (%2).").arg(name, file.errorString()));
    return false;
  }
  if (file.size() > LargestGameFile) {
    m_prompts.Error(QStringLiteral("Партия не открыта: файл %1 слишком велик для партии.").arg(name));
    return false;
  }
  const QByteArray text = file.readAll();
  match::OpenedGame opened;
  try {
    opened = match::OpenSgf(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  } catch (const match::SgfError& error) {
    m_prompts.Error(QStringLiteral("Партия не открыта: %1").arg(FromUtf8(error.Russian())));
    return false;
  }
  if (m_match->InProgress()) GiveUpGame();
  ShowSavedGame(std::move(opened.Record));
  // A game that cannot be played to its end is shown to its last playable
  // move; the box says which move stops it and why.
  if (!opened.IsWhole()) m_prompts.Inform(FromUtf8(opened.NoteRussian));
  return true;
}

// The saved game's final position, on a field of its size; the game's own
// Board and field size are left as they are.
void TForm1::ShowSavedGame(match::GameRecord record) {
  if (IsShowingSavedGame()) LeaveSavedGame();
  m_savedGame = std::make_unique<match::GameReplay>(std::move(record));
  m_painter->PaintFrom(m_savedGame->Board());
  m_saveGame->setEnabled(true);
  m_bitBtn3->setEnabled(false);
  LayOutField(m_savedGame->Record().FieldWidth, m_savedGame->Record().FieldHeight);
  m_gamePole->show();
  m_gamePole->setFocus();
  for (QShortcut* key : m_viewKeys) key->setEnabled(true);
  ShowGameButtons(false);
  ShowSavedMove(m_savedGame->MoveCount());
  UpdateTitle();
}

// The position after `moves` moves, painted as the game painted it, with
// the last dot marked and the move and its player in the status bar.
void TForm1::ShowSavedMove(int moves) {
  const engine::Board& board = m_savedGame->Board();
  render::DrawGrid(*m_canvas, m_settings.Colors, board.FieldWidth(), board.FieldHeight());
  m_savedGame->ShowPosition(moves, static_cast<match::MatchObserver&>(*this));
  m_gamePole->update();
  const match::GameRecord& record = m_savedGame->Record();
  const int shown = m_savedGame->Position();
  m_viewBack->setEnabled(shown > 0);
  m_viewForward->setEnabled(shown < m_savedGame->MoveCount());
  if (shown == 0) {
    m_shape1->hide();
    m_selectionPanel->setText(QStringLiteral("Начало партии"));
    m_creditPanel->setText(QStringLiteral("ходов: %1").arg(m_savedGame->MoveCount()));
    return;
  }
  // The marker takes the colour of the side that played the move, so that
  // it hides no dot's colour.
  const match::PlayedMove& last = record.Moves[static_cast<std::size_t>(shown - 1)];
  m_shape1->SetFill(m_settings.Colors.SideColor(last.Mover));
  m_painter->Marker(last.Dot);
  m_selectionPanel->setText(QStringLiteral("Ход %1 из %2").arg(shown).arg(m_savedGame->MoveCount()));
  m_creditPanel->setText(FromUtf8(last.Mover == engine::Side::Own ? record.Player1 : record.Player2));
}

// The score panel's buttons: the game's three, or the saved game's two.
void TForm1::ShowGameButtons(bool game) {
  for (QToolButton* button : {m_bitBtn4, m_bitBtn2, m_bitBtn3}) button->setVisible(game);
  if (!game) m_bitBtn5->hide();
  m_viewBack->setVisible(!game);
  m_viewForward->setVisible(!game);
  m_viewClose->setVisible(!game);
}

void TForm1::LeaveSavedGame() {
  m_savedGame.reset();
  UpdateTitle();
  m_painter->PaintFrom(m_match->Board());
  ShowGameButtons(true);
  m_creditPanel->setText(QString::fromUtf8(CreditLine));
  for (QShortcut* key : m_viewKeys) key->setEnabled(false);
  EndLayout();
}

}  // namespace solvar::game
