// The rules at the window: chosen for the next game, named in the title,
// followed by both computers to the end of a game; saved games of the
// sites' rules and fields, and one that cannot be played to its end.

#include <QtTest>

#include "game_window.h"
#include "match/sgf_file.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

namespace {

const QString Title = QStringLiteral("Логическая игра \"Сольвар\"");

// Plays the first free node whenever the field takes a click, to the end.
void PlayToTheEnd(GameWindow& w) {
  QElapsedTimer clock;
  clock.start();
  while (w->Game().InProgress() && !clock.hasExpired(120000)) {
    const engine::Board& board = w->Game().Board();
    for (int x = 1; x < board.FieldWidth() && w.Pole()->isEnabled() && w->Game().InProgress(); ++x)
      for (int y = 1; y < board.FieldHeight() && w.Pole()->isEnabled() && w->Game().InProgress(); ++y)
        if (board.At(x, y) == engine::csFree) w.Click(Node{x, y});
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

}  // namespace

class RulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void rulesAreChosenForTheNextGameAndNamedInTheTitle() {
    GameWindow w;
    w.Open();
    QVERIFY(w.Action("N33")->isChecked() && !w.Action("N34")->isChecked());
    test::ModalCloser closer;
    w.Action("N2")->trigger();
    QCOMPARE(w->Game().Rules(), engine::Rules::Classic);
    QCOMPARE(w->windowTitle(), Title);  // the classic game looks as it always did
    w.Action("N34")->trigger();
    QVERIFY(w.Action("N34")->isChecked() && !w.Action("N33")->isChecked());
    QCOMPARE(w->Game().Rules(), engine::Rules::Classic);  // the game on the field keeps its rules
    w.prompts.yesNoAnswers = {true};
    w.Action("N2")->trigger();
    QCOMPARE(w->Game().Rules(), engine::Rules::Sport);
    QCOMPARE(w->windowTitle(), Title + QStringLiteral(" — спортивные правила"));
    w.Action("N3")->trigger();
    QCOMPARE(w->windowTitle(), Title);
  }

  void bothComputersPlayWholeGamesByBothRules() {
    for (const bool strong : {false, true}) {
      for (const bool sport : {false, true}) {
        GameWindow w(test::SeedWherePlayerStarts(true));
        w.options.StrongMoveTimeMs = 20;
        w.Open();
        w->Game().Board().SetFieldSize(15, 15);
        w.Action(strong ? "N29" : "N28")->trigger();
        w.Action(sport ? "N34" : "N33")->trigger();
        test::ModalCloser closer;
        w.Action("N2")->trigger();
        QCOMPARE(w->Game().Rules(), sport ? engine::Rules::Sport : engine::Rules::Classic);
        PlayToTheEnd(w);
        QVERIFY2(!w->Game().InProgress(), strong ? "strong" : "standard");
        QVERIFY(w.LogLines().filter(QStringLiteral("Ход машины->> ")).size() > 50);
        const match::GameRecord record = w->Game().Record();
        QCOMPARE(record.Rules, w->Game().Rules());
        // The saved game opens to the same end by its own rules.
        const std::string path = w.dir.File("game.sgf");
        w.prompts.fileAnswers = {QString::fromStdString(path)};
        w.Action("N30")->trigger();
        QCOMPARE(match::ReadSgf(test::ReadBytes(path)).Moves.size(), record.Moves.size());
      }
    }
  }

  // A neural engine's game on a field of 13 x 13 nodes by the sport rules,
  // ended by an empty move: shown on its own small field, with the players,
  // the result and the rules in the title, the panel whole beside it.
  void smallFieldGameOfTheSportRulesIsShownWithItsResult() {
    GameWindow w;
    const std::string path = w.dir.File("small.sgf");
    test::WriteBytes(path,
                     "(;FF[4]AP[katago]GM[40]SZ[12]PB[bot-a]PW[bot-b]KM[0.5]RU[dotsCaptureEmptyBase0sui1]RE[W+0.5]"
                     "AB[ff][gg]AW[gf][fg];B[fe];W[eg];B[ef];W[hf];B[])");
    w.Open();
    QVERIFY(w->Viewer().Open(QString::fromStdString(path)));
    QCOMPARE(w.Pole()->size(), QSize(12 * 13 + 1, 12 * 13 + 1));
    QVERIFY(w.Find<QWidget>("Panel1")->height() >= 166);
    QVERIFY(w.Find<QWidget>("ViewForward")->geometry().bottom() < w.Find<QWidget>("Panel1")->height());
    QCOMPARE(w->windowTitle(),
             Title + QStringLiteral(" — bot-a и bot-b: Выиграл bot-b на 0.5, спортивные правила"));
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Ход 4 из 4"));
  }

  void gameThatCannotBePlayedToItsEndIsShownToItsLastPlayableMove() {
    GameWindow w;
    const std::string path = w.dir.File("cut.sgf");
    test::WriteBytes(path, "(;GM[40]FF[4]SZ[14]RU[dotsCaptureEmptyBase1];W[hg];B[aa];W[gh];B[bb];W[ih];B[cc];W[hi];B[hh];W[dd])");
    w.Open();
    QVERIFY(w->Viewer().Open(QString::fromStdString(path)));
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Ход 7 из 7"));
    QCOMPARE(w.prompts.messages.last(),
             QStringLiteral("Ход 8 (8 - 8): в этой партии точка поставлена в окружённую область; по правилам программы "
                            "туда ходить нельзя. Партия показана до хода 7 из 9."));
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::RulesTest)
#include "rules_test.moc"
