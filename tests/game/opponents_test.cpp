// The opponents without a main window: the level and rules chosen from their
// menu, the other program's command line kept between runs, the countdown
// of a thinking computer, and two people at one window.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "game/opponents.h"
#include "game/settings_store.h"
#include "game/status_panels.h"
#include "game/window_boxes.h"
#include "match/match_events.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace solvar::game {

namespace {

// The window round the opponents: a menu bar, a status bar, the match.
struct Stage {
  explicit Stage(const test::TempDir& dir)
      : settingsFile(QString::fromStdString(dir.File("solvar.ini"))),
        store(settingsFile),
        settings(store.Load(nullptr)),
        boxes(prompts, &window),
        status(bar),
        match(events, random, records),
        opponents(window, match, settings, store, Opponents::Options{1000, 5000}, boxes, status,
                  [this](const QString& line) { log << line; }) {
    opponents.AddMenu(menus);
    opponents.AddTwoPeopleCommand(*menus.addMenu(QStringLiteral("Игра")));
  }
  QAction* Action(const char* name) { return menus.findChild<QAction*>(QString::fromLatin1(name)); }

  QString settingsFile;
  SettingsStore store;
  Settings settings;
  QWidget window;
  QMenuBar menus{&window};
  QStatusBar bar{&window};
  test::ScriptedPrompts prompts;
  WindowBoxes boxes;
  StatusPanels status;
  test::MatchEvents events;
  engine::Random random{7};
  records::RecordsTable records;
  QStringList log;
  match::Match match;
  Opponents opponents;
};

}  // namespace

class OpponentsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void theMenuChoosesTheComputerAndTheRulesOfTheNextGame() {
    test::TempDir dir;
    Stage stage(dir);
    QCOMPARE(stage.opponents.ComputerOfNextGame().Name(), std::string("Компьютер (обычный)"));
    QVERIFY(stage.Action("N28")->isChecked() && stage.Action("N33")->isChecked());
    stage.Action("N29")->trigger();
    QCOMPARE(stage.settings.Level, ComputerLevel::Strong);
    QCOMPARE(stage.opponents.ComputerOfNextGame().Name(), std::string("Компьютер (сильный)"));
    stage.Action("N34")->trigger();
    QCOMPARE(stage.settings.Rules, engine::Rules::Sport);
    QVERIFY(stage.status.Saying().isEmpty());  // between games nothing to say
    stage.opponents.StartAgainstComputer();
    QVERIFY(stage.match.InProgress());
    QCOMPARE(stage.match.Rules(), engine::Rules::Sport);
    stage.Action("N28")->trigger();
    QCOMPARE(stage.status.Saying(), QStringLiteral("Уровень изменится со следующей партии"));
    stage.Action("N33")->trigger();
    QCOMPARE(stage.status.Saying(), QStringLiteral("Правила изменятся со следующей партии"));
    QCOMPARE(stage.match.Rules(), engine::Rules::Sport);  // the game in progress keeps its rules
  }

  void anotherProgramsCommandLineIsAskedAndKeptForTheNextRun() {
    test::TempDir dir;
    {
      Stage stage(dir);
      stage.prompts.inputAnswers = {QStringLiteral("  my-engine --fast  ")};
      stage.Action("N39")->trigger();
      QCOMPARE(stage.settings.Level, ComputerLevel::OtherProgram);
      QVERIFY(stage.Action("N39")->isChecked());
    }
    Stage later(dir);
    later.prompts.inputAnswers = {std::nullopt};  // cancelled: the level stays
    later.Action("N39")->trigger();
    QVERIFY(later.prompts.inputs.back().endsWith(QStringLiteral("|my-engine --fast")));
    QCOMPARE(later.settings.Level, ComputerLevel::OtherProgram);
    QVERIFY(!later.Action("N28")->isChecked() && later.Action("N39")->isChecked());
  }

  void aThinkingComputerCountsDownInTheStatusBar() {
    test::TempDir dir;
    Stage stage(dir);
    stage.opponents.Thinking(true, 1500);
    QCOMPARE(stage.status.Saying(), QStringLiteral("Компьютер думает... 1,5 с"));
    QTRY_VERIFY(stage.status.Saying().startsWith(QStringLiteral("Компьютер думает... 1,")) &&
                stage.status.Saying() != QStringLiteral("Компьютер думает... 1,5 с"));
    stage.opponents.Thinking(false, 0);
    QVERIFY(stage.status.Saying().isEmpty());
  }

  void twoPeopleGiveTheirNamesAndTheTurnIsNamed() {
    test::TempDir dir;
    Stage stage(dir);
    stage.prompts.inputAnswers = {QStringLiteral("Аня"), QStringLiteral("  ")};
    stage.Action("N37")->trigger();
    QVERIFY(stage.match.InProgress() && stage.match.IsTwoPlayers());
    const match::GameRecord record = stage.match.Record();
    QCOMPARE(record.Player1, std::string("Аня"));
    QCOMPARE(record.Player2, std::string("Игрок 2"));
    stage.opponents.TurnChanged(match::Turn::Opponent);
    QCOMPARE(stage.bar.findChild<QLabel*>(QStringLiteral("StatusPanel2"))->text(), QStringLiteral("Ходит: Игрок 2"));
    stage.opponents.AnnounceFirstMove(engine::Side::Own);
    QCOMPARE(stage.prompts.messages.back(), QStringLiteral("Первым ходит Аня!"));
    // A second game asks before the first is given up; Нет keeps it.
    stage.prompts.yesNoAnswers = {false};
    stage.Action("N37")->trigger();
    QCOMPARE(stage.prompts.messages.back(), QStringLiteral("Вы хотите прервать игру?"));
    QCOMPARE(stage.match.Record().Player1, std::string("Аня"));
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::OpponentsTest)
#include "opponents_test.moc"
