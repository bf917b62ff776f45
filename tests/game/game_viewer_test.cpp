// The viewer of games without a main window: a saved game opened and stepped
// through, a refused file, and the game that has just ended shown from its
// result box; the window round it is a few recorded hooks.
#include <QtTest>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

#include "game/field_presenter.h"
#include "game/field_view.h"
#include "game/game_viewer.h"
#include "game/score_panel.h"
#include "game/status_panels.h"
#include "game/window_boxes.h"
#include "match/match_events.h"
#include "match/sgf_file.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace solvar::game {

namespace {

using engine::Node;
using engine::Side;

struct Stage {
  Stage()
      : boxes(prompts, &window),
        status(bar),
        match(events, random, records),
        field(window, content, match, colors, status, [] { return false; }),
        panel(&content),
        viewer(window, match, field, panel, status, boxes, colors,
               GameViewer::Window{[this](int w, int h) { laidOut.push_back({w, h}); }, [this] { ++leaves; },
                                  [this] { ++titles; }, [] { return true; }, [this] { ++givenUp; },
                                  [this] { return folder; }, [this](const QString& kept) { folder = kept; },
                                  {}, {}, {}}) {
    viewer.AddCommands(menu);
  }
  QString Credit() const { return bar.findChild<QLabel*>(QStringLiteral("StatusPanel2"))->text(); }

  QWidget window;
  QWidget content{&window};
  QStatusBar bar{&window};
  QMenu menu;
  test::ScriptedPrompts prompts;
  WindowBoxes boxes;
  StatusPanels status;
  test::MatchEvents events;
  engine::Random random{3};
  records::RecordsTable records;
  render::FieldColors colors;
  match::Match match;
  FieldPresenter field;
  ScorePanel panel;
  GameViewer viewer;
  std::vector<std::pair<int, int>> laidOut;
  int leaves = 0;
  int titles = 0;
  int givenUp = 0;
  QString folder;
};

// Ana rings Boris's dot at (5, 5) in four moves of hers.
match::GameRecord RingGame() {
  match::GameRecord record;
  record.FieldWidth = 16;
  record.FieldHeight = 15;
  record.Player1 = "Ана";
  record.Player2 = "Борис";
  const Node moves[] = {{4, 5}, {5, 5}, {5, 4}, {10, 10}, {6, 5}, {11, 10}, {5, 6}};
  Side mover = Side::Own;
  for (const Node node : moves) {
    record.Moves.emplace_back(mover, node);
    mover = engine::Opponent(mover);
  }
  return record;
}

QString SavedGame(const test::TempDir& dir, const match::GameRecord& record) {
  const std::string path = dir.File("ring.sgf");
  QFile file(QString::fromStdString(path));
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(match::WriteSgf(record, "2026-12-10")));
  return QString::fromStdString(path);
}

}  // namespace

class GameViewerTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aSavedGameIsShownAtItsEndAndSteppedThrough() {
    test::TempDir dir;
    Stage stage;
    QVERIFY(stage.viewer.Open(SavedGame(dir, RingGame())));
    QVERIFY(stage.viewer.IsShowing());
    QCOMPARE(stage.laidOut, (std::vector<std::pair<int, int>>{{16, 15}}));
    QCOMPARE(stage.status.Saying(), QStringLiteral("Ход 7 из 7"));
    QCOMPARE(stage.Credit(), QStringLiteral("Ана"));
    QCOMPARE(stage.panel.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("1"));
    QVERIFY(stage.viewer.TitlePart().startsWith(QStringLiteral(" — Ана и Борис")));
    QVERIFY(stage.titles > 0);
    QVERIFY(!stage.panel.ViewForward()->isEnabled() && stage.panel.ViewBack()->isEnabled());
    // Boris's dot is painted over by Ana's capture; before it, it stands.
    const QRgb captured = stage.field.Picture().PixelAt(60, 60);
    stage.panel.ViewBack()->click();
    QCOMPARE(stage.status.Saying(), QStringLiteral("Ход 6 из 7"));
    QCOMPARE(stage.Credit(), QStringLiteral("Борис"));
    QCOMPARE(stage.panel.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("0"));
    QVERIFY(stage.field.Picture().PixelAt(60, 60) != captured);
    stage.viewer.ShowMove(0);
    QCOMPARE(stage.status.Saying(), QStringLiteral("Начало партии"));
    QCOMPARE(stage.Credit(), QStringLiteral("ходов: 7"));
    QVERIFY(stage.field.Marker().isHidden());
    stage.panel.ViewClose()->click();
    QVERIFY(!stage.viewer.IsShowing());
    QCOMPARE(stage.leaves, 1);
    QCOMPARE(stage.givenUp, 0);
  }

  void aFileThatIsNotAGameIsRefusedAndNothingChanges() {
    test::TempDir dir;
    Stage stage;
    const std::string path = dir.File("bad.sgf");
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::WriteOnly);
    file.write("(;GM[1]SZ[19];B[aa])");
    file.close();
    QVERIFY(!stage.viewer.Open(QString::fromStdString(path)));
    QVERIFY(!stage.viewer.IsShowing());
    QCOMPARE(stage.prompts.errors.size(), 1);
    QVERIFY(stage.prompts.errors.front().startsWith(QStringLiteral("Партия не открыта: ")));
    QVERIFY(stage.laidOut.empty());
  }

  // «Посмотреть партию» in the result box shows the game once its end has
  // been laid out; «Последняя партия» does the same.
  void theGameThatHasEndedIsShownFromItsResultBox() {
    Stage stage;
    match::SecondPlayer second;
    stage.match.StartTwoPlayers(second, engine::Rules::Classic);
    stage.match.PlayTurn(Node{3, 3});
    stage.match.PlayTurn(Node{4, 4});
    QCOMPARE(stage.match.Moves().size(), std::size_t{2});
    stage.match.Resign(Side::Rival);
    QVERIFY(!stage.match.InProgress());
    stage.prompts.offerAnswers = {true};
    stage.viewer.OfferResult(match::GameResult{0, 0, match::Winner::Own});
    QCOMPARE(stage.prompts.offers, QStringList{QStringLiteral("Посмотреть партию")});
    QVERIFY(stage.viewer.IsShowing());  // the panel was hidden: shown at once
    QCOMPARE(stage.status.Saying(), QStringLiteral("Ход 2 из 2"));
    stage.viewer.Leave();
    QAction* lastGame = stage.menu.findChild<QAction*>(QStringLiteral("N38"));
    stage.viewer.SetMenusForGame(/*inGame=*/true);
    QVERIFY(!lastGame->isEnabled());
    stage.viewer.SetMenusForGame(/*inGame=*/false);
    lastGame->trigger();
    QVERIFY(stage.viewer.IsShowing());
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::GameViewerTest)
#include "game_viewer_test.moc"
