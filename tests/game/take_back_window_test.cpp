// Taking a move back, asking for a hint, and two people at one window, as
// a person does them at the window.

#include <QtTest>

#include <QToolButton>

#include "game/field_view.h"
#include "game_window.h"
#include "match/sgf_file.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

namespace {

// Plays next to the computer's last dot, so that rings close and captures
// happen; the first free node near it.
Node NearTheLastDot(const match::Match& game) {
  const Node last = game.Moves().empty() ? Node{7, 7} : game.Moves().back().Dot;
  for (int spread = 1; spread < 15; ++spread)
    for (int dx = -spread; dx <= spread; ++dx)
      for (int dy = -spread; dy <= spread; ++dy) {
        const Node node{last.X + dx, last.Y + dy};
        if (game.IsFreeNode(node) && game.Board().IsPlayable(node.X, node.Y)) return node;
      }
  return Node{-1, -1};
}

}  // namespace

class TakeBackWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void takeBackGivesBackThePictureAndCountsOfTheRoundBefore_data() {
    QTest::addColumn<bool>("strong");
    QTest::newRow("standard computer") << false;
    QTest::newRow("strong computer") << true;
  }

  // Each Ctrl+Z gives back the picture, the counts and the marker of the
  // round before, pixel for pixel, as long as captures were made meanwhile.
  void takeBackGivesBackThePictureAndCountsOfTheRoundBefore() {
    QFETCH(bool, strong);
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.options.StrongMoveTimeMs = 20;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    test::ModalCloser closer;
    if (strong) w.Action("N29")->trigger();
    w.Action("N2")->trigger();
    QVERIFY(!w.Action("N35")->isEnabled());
    struct Round {
      QImage Picture;
      QString Own, Rival, Free;
      QPoint Marker;
      bool MarkerShown;
    };
    std::vector<Round> rounds;
    const auto snapshot = [&] {
      rounds.push_back({w->Field().Picture().Image().copy(), w.Label("Label2"), w.Label("Label4"), w.Label("Label6"),
                        w.Find<QWidget>("Shape1")->pos(), !w.Find<QWidget>("Shape1")->isHidden()});
    };
    while (w->Game().InProgress() && rounds.size() < 40) {
      snapshot();
      w.Click(NearTheLastDot(w->Game()));
      QTRY_VERIFY(w.Pole()->isEnabled() || !w->Game().InProgress());  // the strong computer answers later
    }
    QVERIFY(w->Game().Counts().OwnScore + w->Game().Counts().RivalScore > 0);
    QVERIFY(w.Action("N35")->isEnabled() && w.Find<QToolButton>("BitBtn5")->isEnabled());
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    for (int i = 0; i < 5; ++i) {
      QTest::keyClick(w.window.get(), Qt::Key_Z, Qt::ControlModifier);
      const Round& round = rounds.back();
      QCOMPARE(w->Field().Picture().Image(), round.Picture);
      QCOMPARE(w.Label("Label2"), round.Own);
      QCOMPARE(w.Label("Label4"), round.Rival);
      QCOMPARE(w.Label("Label6"), round.Free);
      QCOMPARE(!w.Find<QWidget>("Shape1")->isHidden(), round.MarkerShown);
      if (round.MarkerShown) QCOMPARE(w.Find<QWidget>("Shape1")->pos(), round.Marker);
      rounds.pop_back();
    }
    QCOMPARE(w.LogLines().count(QStringLiteral("Ход взят назад")), 5);
    w.Find<QToolButton>("BitBtn5")->click();
    QCOMPARE(w->Field().Picture().Image(), rounds.back().Picture);
  }

  // A game won after a take-back says so in its result box and enters no
  // record.
  void gameWithATakeBackEntersNoRecord() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    test::ModalCloser closer;
    w.Action("N2")->trigger();
    w.Click(Node{3, 3});
    w.Action("N35")->trigger();
    engine::Board& board = w->Game().Board();
    for (int x = 1; x < 15; ++x)
      for (int y = 1; y < 15; ++y) board.Set(x, y, engine::csOwn);
    board.Set(3, 3, engine::csRivalCaptured);
    board.Set(14, 14, engine::csFree);
    w.Click(Node{14, 14});
    QCOMPARE(w.prompts.messages.last(), QStringLiteral("Вы победили!!!\nВы окружили 1 точек противника.\n"
                                                      "В партии брали ходы назад: в рекорды она не идёт."));
    QCOMPARE(w->Records().Table().RecordCount(), 0);
    QVERIFY(w.prompts.inputs.isEmpty());
  }

  void takeBackStopsTheStrongComputerAndIsNotOfferedOverTheNetwork() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.options.StrongMoveTimeMs = 60000;
    w.Open();
    w.Action("N29")->trigger();
    w.Action("N2")->trigger();
    w.Click(Node{10, 10});
    QVERIFY(!w.Pole()->isEnabled());  // thinking
    QElapsedTimer clock;
    clock.start();
    w.Action("N35")->trigger();
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(w->Game().Moves().empty());
    QVERIFY(w.Pole()->isEnabled());
    QVERIFY(!w.Label("StatusPanel1").startsWith(QStringLiteral("Компьютер думает")));
    QTest::qWait(50);
    QVERIFY(w->Game().Moves().empty());  // no late answer
    w.Action("N3")->trigger();
    QVERIFY(!w.Action("N35")->isEnabled() && !w.Action("N36")->isEnabled());
  }

  // Ctrl+H: the strong computer thinks with its countdown, rings its node
  // in the player's colour and names it; the Board is not touched, and the
  // ring goes at the next move.
  void hintRingsANodeAndGoesAtTheNextMove() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    // Long enough that a loaded machine still finds it thinking below.
    w.options.StrongMoveTimeMs = 1000;
    w.Open();
    test::ModalCloser closer;
    w.Action("N2")->trigger();
    // Not on an empty field: there the strong computer opens at once near
    // the centre without searching.
    w.Click(Node{10, 10});
    QTRY_COMPARE(w->Game().Moves().size(), std::size_t{2});
    const engine::CellCounts before = engine::CountCells(w->Game().Board());
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QTest::keyClick(w.window.get(), Qt::Key_H, Qt::ControlModifier);
    QVERIFY(w.Label("StatusPanel1").startsWith(QStringLiteral("Компьютер думает... ")));
    // The window goes on answering while the computer thinks.
    bool answered = false;
    QTimer::singleShot(0, [&] { answered = true; });
    QTRY_VERIFY_WITH_TIMEOUT(answered, 50);
    QVERIFY(w.Label("StatusPanel1").startsWith(QStringLiteral("Компьютер думает... ")));
    QTRY_VERIFY(w.Label("StatusPanel1").startsWith(QStringLiteral("Подсказка: ")));
    auto* ring = w.Find<HintRing>("HintRing");
    QVERIFY(!ring->isHidden());
    QCOMPARE(ring->Color(), w->CurrentSettings().Colors.OwnColor);
    QCOMPARE(engine::CountCells(w->Game().Board()).FreeCount, before.FreeCount);
    const QStringList words = w.Label("StatusPanel1").mid(11).split(QStringLiteral(" - "));
    const Node hinted{words[0].toInt(), words[1].toInt()};
    QVERIFY(w->Game().IsFreeNode(hinted));
    QCOMPARE(QRectF(ring->geometry()).center(), QPointF(w.Pole()->pos() + QPoint(12 * hinted.X, 12 * hinted.Y)));
    w.Click(hinted);
    QVERIFY(ring->isHidden());
    QCOMPARE(w->Game().Board().At(hinted), engine::csOwn);
  }

  // Two people play a whole 15 x 15 game at one window: turn by turn, each
  // in their colour, a box at the end naming the winner and the score, no
  // record, and the saved game names both.
  void twoPeoplePlayAWholeGameAtOneWindow() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    w.prompts.inputAnswers = {QStringLiteral("Аня"), QStringLiteral("Борис")};
    w.Action("N37")->trigger();
    QVERIFY(w->Game().IsTwoPlayers());
    QCOMPARE(w.prompts.inputs, (QStringList{QStringLiteral("Игра вдвоём|Имя первого игрока:|Игрок 1"),
                                            QStringLiteral("Игра вдвоём|Имя второго игрока:|Игрок 2")}));
    QCOMPARE(w.prompts.messages.last(), QStringLiteral("Первым ходит Аня!"));
    QCOMPARE(w.Label("StatusPanel2"), QStringLiteral("Ходит: Аня"));
    // The preview shows the colour of the side to move.
    w.MoveTo(Node{3, 3});
    QCOMPARE(w.FieldPixel(36, 36), render::ToRgb(w->CurrentSettings().Colors.OwnColor) & 0xFFFFFF);
    w.Click(Node{3, 3});
    QCOMPARE(w.Label("StatusPanel2"), QStringLiteral("Ходит: Борис"));
    QVERIFY(w.Pole()->isEnabled());
    w.MoveTo(Node{4, 4});
    QCOMPARE(w.FieldPixel(48, 48), render::ToRgb(w->CurrentSettings().Colors.RivalColor) & 0xFFFFFF);
    w.Click(Node{4, 4});
    QCOMPARE(w->Game().Board().At(4, 4), engine::csRival);
    QCOMPARE(w.Find<MarkerShape>("Shape1")->Fill(), w->CurrentSettings().Colors.RivalColor);
    w.Click(Node{5, 5});
    QCOMPARE(w.Find<MarkerShape>("Shape1")->Fill(), w->CurrentSettings().Colors.OwnColor);
    // Back one move at a time, then on to the end.
    w.Action("N35")->trigger();
    QCOMPARE(w->Game().Board().At(5, 5), engine::csFree);
    QCOMPARE(w.Label("StatusPanel2"), QStringLiteral("Ходит: Аня"));
    for (int x = 1; x < 15 && w->Game().InProgress(); ++x)
      for (int y = 1; y < 15 && w->Game().InProgress(); ++y)
        if (w->Game().IsFreeNode(Node{x, y})) w.Click(Node{x, y});
    QVERIFY(!w->Game().InProgress());
    QVERIFY(w.prompts.messages.last().startsWith(QStringLiteral("Победил ")) ||
            w.prompts.messages.last().startsWith(QStringLiteral("Ничья!")));
    // The score names whose it is, and once the game is over nobody is to move.
    QVERIFY2(w.prompts.messages.last().contains(QStringLiteral("Счёт: Аня — ")) &&
                 w.prompts.messages.last().contains(QStringLiteral(", Борис — ")),
             qPrintable(w.prompts.messages.last()));
    QVERIFY(!w.Label("StatusPanel2").startsWith(QStringLiteral("Ходит: ")));
    QCOMPARE(w->Records().Table().RecordCount(), 0);
    const std::string path = w.dir.File("two.sgf");
    w.prompts.fileAnswers = {QString::fromStdString(path)};
    w.Action("N30")->trigger();
    const match::GameRecord saved = match::ReadSgf(test::ReadBytes(path));
    QCOMPARE(QString::fromStdString(saved.Player1), QStringLiteral("Аня"));
    QCOMPARE(QString::fromStdString(saved.Player2), QStringLiteral("Борис"));
    QCOMPARE(saved.Moves.size(), w->Game().Moves().size());
    QCOMPARE(saved.Moves.front().Dot, (Node{3, 3}));
    QCOMPARE(saved.Moves[1].Dot, (Node{4, 4}));
  }

  // «Сдаться» in a game of two gives the game to the side not to move.
  void surrenderOfTwoGivesTheGameToTheSideNotToMove() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.Open();
    w.prompts.inputAnswers = {QStringLiteral("Аня"), QStringLiteral("Борис")};
    w.Action("N37")->trigger();
    w.Click(Node{3, 3});  // Борис to move
    w.Action("N3")->trigger();
    QVERIFY(!w->Game().InProgress());
    QCOMPARE(QString::fromStdString(w->Game().Record().Result), QStringLiteral("B+R"));
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::TakeBackWindowTest)
#include "take_back_window_test.moc"
