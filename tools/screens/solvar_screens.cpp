// solvar-screens: plays a short scripted game in the real main window, opens
// each of the other windows and the standard dialogs, and saves a picture of
// the screen each time, to look at the program as a person sees it.
// Usage: solvar-screens OUTPUT-DIRECTORY   (run it under a display, e.g. Xvfb
// with a window manager, as scripts/screenshot.sh does)

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "game/desktop.h"
#include "dialogs/about_dialog.h"
#include "dialogs/records_dialog.h"
#include <QAction>
#include <QFile>

#include "ai/strong_search.h"
#include "game/game_review.h"
#include "game/game_viewer.h"
#include "game/main_window.h"
#include "game/qt_prompts.h"
#include "match/game_replay.h"
#include "match/sgf_file.h"
#include "game/qt_translations.h"
#include "text/cp1251.h"
#include "window_driver/window_driver.h"

namespace {

using solvar::engine::Node;

void Pause(int milliseconds) {
  QTimer timer;
  timer.setSingleShot(true);
  timer.start(milliseconds);
  while (timer.isActive()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool SaveScreen(const QWidget& window, const QString& path) {
  Pause(400);
  const bool saved = window.screen()->grabWindow(0).save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", path.toUtf8().constData());
  return saved;
}

// Opens a modal window through `open` and saves the screen while it is up.
bool SaveWhileModal(const QString& path, const std::function<void()>& open) {
  bool saved = false;
  QTimer::singleShot(700, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      saved = modal->screen()->grabWindow(0).save(path);
      std::printf("%s %s\n", saved ? "saved" : "could not save", path.toUtf8().constData());
      modal->close();
    }
  });
  open();
  return saved;
}

bool ShowAndSave(QDialog* dialog, const QString& path) {
  dialog->move(120, 120);
  dialog->show();
  const bool saved = SaveScreen(*dialog, path);
  dialog->hide();
  return saved;
}

// A whole game on 15 x 15 against the strong computer (at 100 ms a move),
// the player taking free nodes along the rows; the picture is taken when
// ten free nodes are left.
bool PlayAgainstStrong(solvar::game::AppOptions options, const QString& path) {
  options.StrongMoveTimeMs = 100;
  solvar::tools::EnterPrompts prompts;
  solvar::tools::NoDesktop desktop;
  solvar::game::TForm1 window(options, prompts, desktop);
  window.show();
  window.Game().Board().SetFieldSize(15, 15);
  window.findChild<QAction*>(QStringLiteral("N29"))->trigger();
  window.N2Click();
  QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
  bool saved = false;
  for (int round = 0; round < 100000 && window.Game().InProgress(); ++round) {
    if (!saved && window.Game().Counts().FreeCount > 0 && window.Game().Counts().FreeCount <= 10) {
      saved = SaveScreen(window, path);
    }
    if (field->isEnabled()) {
      const solvar::engine::Board& board = window.Game().Board();
      for (int i = 0; i < 14 * 14; ++i) {
        const Node node{1 + (i * 5) % 14, 1 + i / 14};
        if (board.At(node) == solvar::engine::csFree) {
          solvar::tools::ClickNode(field, node);
          break;
        }
      }
    }
    Pause(20);
  }
  return saved && !window.Game().InProgress();
}

// A game of 20 x 20 by the strong computer against itself at a few random
// games a move (so that it makes mistakes), saved to `path`.
void SaveSelfPlayedGame(const QString& path, int moves) {
  solvar::match::GameRecord record;
  record.FieldWidth = 21;
  record.FieldHeight = 21;
  record.Player1 = "Аня";
  record.Player2 = "Борис";
  solvar::engine::Board board;
  solvar::match::ReplayOnto(board, record, 0, nullptr);
  solvar::ai::SearchLimits limits;
  limits.Playouts = 60;
  limits.Threads = 1;
  solvar::engine::Side side = solvar::engine::Side::Own;
  solvar::engine::CaptureObserver* none = nullptr;
  for (int i = 0; i < moves; ++i) {
    const auto node = solvar::ai::ChooseStrongNode(board, side, limits, 1000 + static_cast<std::uint64_t>(i));
    if (!node) break;
    record.Moves.emplace_back(side, *node);
    solvar::engine::PlaceDot(board, *node, side);
    solvar::engine::CaptureAfterMove(board, side, *node, none, record.Rules);
    side = solvar::engine::Opponent(side);
  }
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(solvar::match::WriteSgf(record, "2026-12-10")));
}

// The list of moves during a game of two people, then a game played by the
// computer analysed: the graph, the list's mistakes and the better node's
// ring at the first mistake.
bool ReviewPictures(solvar::game::TForm1& window, solvar::tools::EnterPrompts& prompts, const QDir& out,
                    const QString& scratch) {
  QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
  window.findChild<QAction*>(QStringLiteral("ShowMoveList"))->trigger();
  window.findChild<QAction*>(QStringLiteral("N37"))->trigger();
  for (const Node node : {Node{6, 6}, Node{7, 6}, Node{7, 7}, Node{6, 7}, Node{8, 5}, Node{9, 9}, Node{8, 6}}) {
    solvar::tools::ClickNode(field, node);
    Pause(50);
  }
  bool ok = SaveScreen(window, out.filePath(QStringLiteral("move_list_in_game.png")));
  window.N3Click();
  window.findChild<QAction*>(QStringLiteral("ShowMoveList"))->trigger();
  const QString game = scratch + QStringLiteral("/selfplay.sgf");
  SaveSelfPlayedGame(game, 160);
  prompts.gameFile = game;
  window.findChild<QAction*>(QStringLiteral("N31"))->trigger();
  prompts.gameFile.reset();
  window.findChild<QAction*>(QStringLiteral("AnalyseGame"))->trigger();
  Pause(1500);
  ok &= SaveScreen(window, out.filePath(QStringLiteral("analysis_running.png")));
  while (window.Review().IsAnalysing()) Pause(200);
  const solvar::match::GameRecord& record = window.Viewer().Shown()->Record();
  int mistake = static_cast<int>(record.Moves.size());
  for (std::size_t i = 0; i < record.Analysis.size(); ++i) {
    if (solvar::match::LossOf(record.Moves[i], record.Analysis[i]) >= solvar::match::MistakeLoss) {
      mistake = static_cast<int>(i) + 1;
      break;
    }
  }
  window.Viewer().ShowMove(mistake);
  ok &= SaveScreen(window, out.filePath(QStringLiteral("analysis.png")));
  window.Viewer().Leave();
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  solvar::game::InstallQtTranslations(app);
  if (argc < 2) {
    std::fputs("usage: solvar-screens OUTPUT-DIRECTORY\n", stderr);
    return 2;
  }
  solvar::game::AppOptions options;
  options.Seed = 2;  // the player moves first
  options.StrongMoveTimeMs = 3000;
  options.Analysis.Playouts = 400;
  const QTemporaryDir scratch;
  options.RecordsFile = scratch.filePath(QStringLiteral("winner.txt"));
  // The pictures never touch the settings of whoever runs them.
  options.SettingsFile = scratch.filePath(QStringLiteral("solvar.ini"));
  solvar::tools::EnterPrompts prompts(/*echo=*/true);
  solvar::tools::NoDesktop desktop;
  solvar::game::TForm1 window(options, prompts, desktop);
  window.show();
  Pause(300);
  window.N2Click();
  QWidget* field = window.findChild<QWidget*>(QStringLiteral("GamePole"));
  // The computer rings the lone dot at (5, 5) while the player plays far away;
  // then the player makes a ring of its own around (20, 8).
  for (const Node node : {Node{5, 5}, Node{20, 20}, Node{25, 25}, Node{10, 25}, Node{25, 10}}) {
    solvar::tools::ClickNode(field, node);
    Pause(50);
  }
  solvar::tools::SendMouse(field, QEvent::MouseMove, QPoint(12 * 15, 12 * 15), Qt::NoButton, Qt::NoButton);
  Pause(500);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(out.path());
  bool ok = SaveScreen(window, out.filePath(QStringLiteral("game.png")));

  window.Records().Table().InsertRecord({solvar::text::Utf8ToCp1251("Студент"), 14});
  window.Records().Table().InsertRecord({solvar::text::Utf8ToCp1251("Ёжик в тумане"), 9});
  auto* records = window.findChild<solvar::dialogs::TForm6*>(QStringLiteral("TForm6"));
  records->Fill(window.Records().Table());
  ok &= ShowAndSave(records, out.filePath(QStringLiteral("records.png")));
  ok &= ShowAndSave(window.findChild<QDialog*>(QStringLiteral("TForm4")), out.filePath(QStringLiteral("field_size.png")));
  ok &= ShowAndSave(window.findChild<QDialog*>(QStringLiteral("TForm5")), out.filePath(QStringLiteral("network_options.png")));
  auto* about = window.findChild<solvar::dialogs::TAboutFrm*>(QStringLiteral("TAboutFrm"));
  about->ShowAboutPage();
  ok &= ShowAndSave(about, out.filePath(QStringLiteral("about.png")));
  about->ShowFeedbackPage();
  // The mouse has passed over the first link: it is blue and underlined again.
  QWidget* link = about->findChild<QWidget*>(QStringLiteral("Label15"));
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QCoreApplication::sendEvent(link, &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(link, &leave);
  ok &= ShowAndSave(about, out.filePath(QStringLiteral("feedback.png")));

  // The standard dialogs as the program opens them, in Russian.
  solvar::game::QtPrompts real;
  real.SetParent(&window);
  ok &= SaveWhileModal(out.filePath(QStringLiteral("name_box.png")), [&] {
    real.InputText(QStringLiteral("Победа!!!"), QStringLiteral("Введите ваше имя:"), QStringLiteral("Студент"));
  });
  ok &= SaveWhileModal(out.filePath(QStringLiteral("address_box.png")), [&] {
    real.InputText(QStringLiteral("Подключение..."), QStringLiteral("Введите IP сервера:"), QString());
  });
  ok &= SaveWhileModal(out.filePath(QStringLiteral("color_chooser.png")), [&] { real.ChooseColor(0xC0C0C0); });
  ok &= SaveWhileModal(out.filePath(QStringLiteral("error_box.png")), [&] { real.Error(QStringLiteral("File not found")); });

  // A game on the smallest field: the log after three moves, and the
  // previous-move viewer.
  window.N3Click();
  window.Game().Board().SetFieldSize(15, 15);
  window.N2Click();
  Pause(300);
  for (const Node node : {Node{7, 7}, Node{9, 9}, Node{11, 5}}) {
    solvar::tools::ClickNode(field, node);
    Pause(100);
  }
  ok &= SaveScreen(window, out.filePath(QStringLiteral("log_15.png")));
  ok &= SaveWhileModal(out.filePath(QStringLiteral("previous_move.png")), [&] { window.BitBtn3Click(); });
  // The last round taken back (the picture before it is log_15.png), then a
  // hint for the player's move.
  window.findChild<QAction*>(QStringLiteral("N35"))->trigger();
  ok &= SaveScreen(window, out.filePath(QStringLiteral("take_back.png")));
  window.findChild<QAction*>(QStringLiteral("N36"))->trigger();
  Pause(options.StrongMoveTimeMs + 800);
  ok &= SaveScreen(window, out.filePath(QStringLiteral("hint.png")));
  // The game saved, given up, opened again: its last move, then its first.
  prompts.gameFile = scratch.filePath(QStringLiteral("game.sgf"));
  window.findChild<QAction*>(QStringLiteral("N30"))->trigger();
  window.N3Click();
  window.findChild<QAction*>(QStringLiteral("N31"))->trigger();
  ok &= window.Viewer().IsShowing() && SaveScreen(window, out.filePath(QStringLiteral("saved_game_last.png")));
  window.Viewer().ShowMove(1);
  ok &= SaveScreen(window, out.filePath(QStringLiteral("saved_game_first.png")));
  prompts.gameFile.reset();
  window.Game().Board().SetFieldSize(31, 31);

  // A game against the strong computer, while it thinks.
  window.findChild<QAction*>(QStringLiteral("N29"))->trigger();
  window.N2Click();
  Pause(300);
  for (const Node node : {Node{12, 12}, Node{13, 12}, Node{12, 13}}) {
    if (field->isEnabled() && window.Game().Board().At(node) == solvar::engine::csFree) {
      solvar::tools::ClickNode(field, node);
      break;
    }
  }
  Pause(600);
  ok &= SaveScreen(window, out.filePath(QStringLiteral("strong_thinking.png")));
  // Two people at this window, a few moves in.
  window.findChild<QAction*>(QStringLiteral("N37"))->trigger();
  for (const Node node : {Node{6, 6}, Node{7, 6}, Node{7, 7}, Node{6, 7}, Node{8, 5}}) {
    solvar::tools::ClickNode(field, node);
    Pause(50);
  }
  ok &= SaveScreen(window, out.filePath(QStringLiteral("two_players.png")));
  window.N3Click();
  ok &= ReviewPictures(window, prompts, out, scratch.path());
  window.hide();
  ok &= PlayAgainstStrong(options, out.filePath(QStringLiteral("strong_game.png")));
  return ok ? 0 : 1;
}
