// Looking back over a game without a main window: the list of moves of a
// game shown and of a game in play, and the analysis run in the background,
// cancelled, shown on the list, the graph and the field, and kept in the
// saved file.
#include <QtTest>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolButton>

#include "game/analysis_graph.h"
#include "game/field_presenter.h"
#include "game/field_view.h"
#include "game/game_review.h"
#include "game/game_viewer.h"
#include "game/move_list.h"
#include "game/score_panel.h"
#include "game/settings.h"
#include "game/settings_store.h"
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

match::AnalysisBudget QuickBudget(long playouts = 300) {
  match::AnalysisBudget budget;
  budget.Playouts = playouts;
  return budget;
}

struct Stage {
  explicit Stage(match::AnalysisBudget budget = QuickBudget())
      : boxes(prompts, &window),
        status(bar),
        match(events, random, records),
        store(QString::fromStdString(dir.File("solvar.ini"))),
        settings(store.Load(nullptr)),
        field(window, content, match, colors, status, [] { return false; }),
        panel(&content),
        viewer(window, match, field, panel, status, boxes, colors,
               GameViewer::Window{[](int, int) {}, [] {}, [] {}, [] { return true; }, [] {}, [] { return QString(); },
                                  [](const QString&) {}, [this] { review->GameShown(); },
                                  [this](int moves) { review->MoveShown(moves); }, [this] { review->GameLeft(); }}) {
    review = std::make_unique<GameReview>(content, match, viewer, field, status, colors, settings, store,
                                          GameReview::Window{[this] { ++layouts; }, [] { return 11; }}, budget);
    viewer.AddCommands(gameMenu);
    review->AddAnalyseCommand(gameMenu);
    review->AddListCommand(viewMenu);
  }
  QAction* Analyse() const { return gameMenu.findChild<QAction*>(QStringLiteral("AnalyseGame")); }
  QAction* ShowList() const { return viewMenu.findChild<QAction*>(QStringLiteral("ShowMoveList")); }
  QString Cell(int row, int column) const { return review->List().item(row, column)->text(); }

  test::TempDir dir;
  QWidget window;
  QWidget content{&window};
  QStatusBar bar{&window};
  QMenu gameMenu;
  QMenu viewMenu{&window};
  test::ScriptedPrompts prompts;
  WindowBoxes boxes;
  StatusPanels status;
  test::MatchEvents events;
  engine::Random random{3};
  records::RecordsTable records;
  render::FieldColors colors;
  match::Match match;
  SettingsStore store;
  Settings settings;
  FieldPresenter field;
  ScorePanel panel;
  GameViewer viewer;
  std::unique_ptr<GameReview> review;
  int layouts = 0;
};

// Ана rings Борис's dot at (5, 5), closing it at (5, 6) with her last move.
match::GameRecord RingGame() {
  match::GameRecord record;
  record.FieldWidth = 16;
  record.FieldHeight = 15;
  record.Player1 = "Ана";
  record.Player2 = "Борис";
  const Node moves[] = {{4, 5}, {5, 5}, {5, 4}, {10, 10}, {6, 5}, {11, 10}, {12, 3}, {12, 10}, {5, 6}};
  Side mover = Side::Own;
  for (const Node node : moves) {
    record.Moves.emplace_back(mover, node);
    mover = engine::Opponent(mover);
  }
  return record;
}

// Ана's ring round thirteen of Борис's dots stands open at (6, 3) (a dot
// of his outside the gap makes it the one node that closes it): she plays
// elsewhere, so does he, and she closes it.
match::GameRecord OpenRingGame() {
  match::GameRecord record;
  record.FieldWidth = 20;
  record.FieldHeight = 20;
  record.Player1 = "Ана";
  record.Player2 = "Борис";
  for (int y = 4; y <= 8; ++y) {
    for (int x = 4; x <= 8; ++x) {
      if ((x + y) % 2 == 0) record.Setup.emplace_back(Side::Rival, Node{x, y});
    }
  }
  record.Setup.emplace_back(Side::Rival, Node{6, 2});
  for (int x = 3; x <= 9; ++x) {
    if (x != 6) record.Setup.emplace_back(Side::Own, Node{x, 3});
    record.Setup.emplace_back(Side::Own, Node{x, 9});
  }
  for (int y = 4; y <= 8; ++y) {
    record.Setup.emplace_back(Side::Own, Node{3, y});
    record.Setup.emplace_back(Side::Own, Node{9, y});
  }
  record.Moves = {{Side::Own, Node{16, 16}}, {Side::Rival, Node{15, 16}}, {Side::Own, Node{6, 3}}};
  return record;
}

QString Saved(const test::TempDir& dir, const match::GameRecord& record, const char* name = "ring.sgf") {
  const std::string path = dir.File(name);
  QFile file(QString::fromStdString(path));
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(match::WriteSgf(record, "2026-12-10")));
  return QString::fromStdString(path);
}

void ClickRow(MoveList& list, int row) {
  const QRect cell = list.visualItemRect(list.item(row, 0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

}  // namespace

class GameReviewTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Each row: number, side, node and what the move took; the shown move is
  // highlighted, and a click on a row or on the graph shows that move.
  void theListOfAShownGameFollowsTheMoveShown() {
    Stage stage;
    QVERIFY(stage.viewer.Open(Saved(stage.dir, RingGame())));
    MoveList& list = stage.review->List();
    QCOMPARE(list.rowCount(), 9);
    QCOMPARE(stage.Cell(0, 0), QStringLiteral("1"));
    QCOMPARE(stage.Cell(0, 1), QStringLiteral("Ана"));
    QCOMPARE(stage.Cell(1, 1), QStringLiteral("Борис"));
    QCOMPARE(stage.Cell(1, 2), QStringLiteral("5 - 5"));
    QCOMPARE(stage.Cell(8, 3), QStringLiteral("+1"));
    QCOMPARE(stage.Cell(7, 3), QString());
    QCOMPARE(stage.review->ListWidth(), MoveList::Width);
    QCOMPARE(stage.review->GraphHeight(), 0);  // not analysed
    QCOMPARE(list.currentRow(), 8);
    stage.viewer.ShowMove(4);
    QCOMPARE(list.selectedItems().front()->row(), 3);
    ClickRow(list, 1);
    QCOMPARE(stage.viewer.Shown()->Position(), 2);
    QCOMPARE(stage.status.Saying(), QStringLiteral("Ход 2 из 9"));
    QCOMPARE(list.focusPolicy(), Qt::NoFocus);  // the keys stay with the window
    stage.viewer.Leave();
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(stage.review->ListWidth(), 0);
  }

  // During a game the list is there only when asked for in «Вид», and then
  // follows the moves, taken back ones too; the choice is kept.
  void duringAGameTheListIsShownWhenAskedFor() {
    Stage stage;
    match::SecondPlayer second;
    stage.match.StartTwoPlayers(second, engine::Rules::Classic);
    stage.review->GameStarted();
    QCOMPARE(stage.review->ListWidth(), 0);
    QVERIFY(!stage.ShowList()->isChecked());
    stage.ShowList()->trigger();
    QCOMPARE(stage.review->ListWidth(), MoveList::Width);
    QVERIFY(stage.layouts > 0);
    stage.match.PlayTurn(Node{3, 3});
    stage.match.PlayTurn(Node{4, 4});
    stage.review->GameMoved();
    QCOMPARE(stage.review->List().rowCount(), 2);
    QCOMPARE(stage.review->List().currentRow(), 1);
    stage.match.TakeBack();
    stage.review->GameMoved();
    QCOMPARE(stage.review->List().rowCount(), 1);
    QCOMPARE(stage.store.Load(nullptr).MoveListShown, true);
    stage.ShowList()->trigger();
    QCOMPARE(stage.review->ListWidth(), 0);
    QCOMPARE(stage.store.Load(nullptr).MoveListShown, false);
  }

  // The analysis runs while the window answers, grows the graph, marks the
  // two moves that left the ring open as mistakes (with the node that
  // closes it ringed on the field), and is saved with the game: the file
  // opened again shows it at once.
  void theAnalysisMarksMistakesRingsTheBetterNodeAndIsSaved() {
    Stage stage;
    QVERIFY(stage.viewer.Open(Saved(stage.dir, OpenRingGame())));
    QVERIFY(stage.Analyse()->isEnabled());
    stage.Analyse()->trigger();
    QVERIFY(stage.review->IsAnalysing());
    QVERIFY(!stage.Analyse()->isEnabled());
    QCOMPARE(stage.review->GraphHeight(), AnalysisGraph::Height);
    QWidget* progress = stage.review->Graph().findChild<QWidget*>(QStringLiteral("AnalysisProgress"));
    QVERIFY(progress->isVisibleTo(&stage.review->Graph()));
    QTRY_VERIFY_WITH_TIMEOUT(!stage.review->IsAnalysing(), 60000);
    QVERIFY(progress->isHidden());
    QCOMPARE(stage.viewer.Shown()->Record().Analysis.size(), std::size_t{3});
    // Ана's (16, 16) and Борис's (15, 16) let the ring stand open.
    QVERIFY(stage.Cell(0, 4).startsWith(QStringLiteral("−")));
    QVERIFY(stage.Cell(1, 4).startsWith(QStringLiteral("−")));
    QCOMPARE(stage.Cell(2, 4), QString());
    QVERIFY(stage.review->List().item(0, 0)->toolTip().contains(QStringLiteral("Лучше 6 - 3")));
    stage.viewer.ShowMove(1);
    QWidget* ring = stage.field.Field().parentWidget()->findChild<QWidget*>(QStringLiteral("HintRing"));
    QVERIFY(ring->isVisibleTo(ring->parentWidget()));
    QCOMPARE(stage.status.Saying(), QStringLiteral("Ход 1 из 3"));
    QVERIFY(stage.status.Credit().startsWith(QStringLiteral("Ана · перевес ")));
    QVERIFY(stage.status.Credit().contains(QStringLiteral("ошибка −")));
    QVERIFY(stage.status.Credit().endsWith(QStringLiteral("лучше 6 - 3")));
    stage.viewer.ShowMove(3);
    QVERIFY(ring->isHidden());  // the move played was the computer's choice
    // A click on the graph's left end shows the start.
    AnalysisGraph& graph = stage.review->Graph();
    graph.resize(300, AnalysisGraph::Height);
    QTest::mouseClick(&graph, Qt::LeftButton, Qt::NoModifier, QPoint(36, 60));
    QCOMPARE(stage.viewer.Shown()->Position(), 0);

    const QString again = QString::fromStdString(stage.dir.File("again.sgf"));
    stage.prompts.fileAnswers = {again};
    stage.gameMenu.findChild<QAction*>(QStringLiteral("N30"))->trigger();
    stage.viewer.Leave();
    QCOMPARE(stage.review->GraphHeight(), 0);
    QVERIFY(stage.viewer.Open(again));
    QCOMPARE(stage.review->GraphHeight(), AnalysisGraph::Height);
    QVERIFY(!stage.review->IsAnalysing());
    QVERIFY(stage.Cell(0, 4).startsWith(QStringLiteral("−")));
  }

  // Analysing the game a second time shows the judgement once, not twice,
  // in the status bar, also after «Отмена»; the graph and the list name the
  // side whose lead they show (side 1, not the side that moved first).
  void aSecondAnalysisSaysTheJudgementOnce() {
    Stage stage;
    match::GameRecord record = OpenRingGame();
    QVERIFY(stage.viewer.Open(Saved(stage.dir, record)));
    stage.viewer.ShowMove(1);
    for (int run = 0; run < 2; ++run) {
      stage.Analyse()->trigger();
      QTRY_VERIFY_WITH_TIMEOUT(!stage.review->IsAnalysing(), 60000);
      QCOMPARE(stage.status.Credit().count(QStringLiteral("перевес")), 1);
    }
    stage.Analyse()->trigger();
    stage.review->Graph().Cancel()->click();
    QCOMPARE(stage.status.Credit().count(QStringLiteral("перевес")), 1);
    QCOMPARE(stage.review->Graph().findChild<QLabel*>(QStringLiteral("AnalysisCaption"))->text(),
             QStringLiteral("Перевес стороны 1 (Ана): выше нуля — Ана, ниже — Борис"));
    QVERIFY(stage.review->List().item(0, 0)->toolTip().startsWith(QStringLiteral("Перевес стороны 1 (Ана) после хода")));
  }

  // «Отмена» stops the analysis at once and keeps nothing of it; leaving the
  // game stops it too.
  void cancelStopsTheAnalysis() {
    Stage stage(QuickBudget(200000));
    QVERIFY(stage.viewer.Open(Saved(stage.dir, RingGame())));
    stage.Analyse()->trigger();
    QVERIFY(stage.review->IsAnalysing());
    QTest::qWait(50);
    QElapsedTimer clock;
    clock.start();
    stage.review->Graph().Cancel()->click();
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(!stage.review->IsAnalysing());
    QCOMPARE(stage.review->GraphHeight(), 0);
    QVERIFY(stage.viewer.Shown()->Record().Analysis.empty());
    QVERIFY(stage.Analyse()->isEnabled());
    stage.Analyse()->trigger();
    QVERIFY(stage.review->IsAnalysing());
    stage.viewer.Leave();
    QVERIFY(!stage.review->IsAnalysing());
  }

  // Between games «Анализ партии» shows the last game and analyses it.
  void theLastGameIsAnalysedFromTheMenu() {
    Stage stage;
    match::SecondPlayer second;
    QVERIFY(!stage.Analyse()->isEnabled());
    stage.match.StartTwoPlayers(second, engine::Rules::Classic);
    stage.review->GameStarted();
    stage.match.PlayTurn(Node{3, 3});
    stage.match.PlayTurn(Node{4, 4});
    stage.match.Resign(Side::Rival);
    stage.review->GameEnded();
    QVERIFY(stage.Analyse()->isEnabled());
    stage.Analyse()->trigger();
    QVERIFY(stage.viewer.IsShowing());
    QTRY_VERIFY_WITH_TIMEOUT(!stage.review->IsAnalysing(), 60000);
    QCOMPARE(stage.viewer.Shown()->Record().Analysis.size(), std::size_t{2});
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::GameReviewTest)
#include "game_review_test.moc"
