#include <QtTest>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStatusBar>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "game/field_view.h"
#include "game/qt_translations.h"
#include "game_window.h"
#include "records/records_file.h"
#include "records/scramble.h"
#include "render/field_painter.h"
#include "text/cp1251.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

namespace {

QRgb Rgb(render::Color color) { return render::ToRgb(color) & 0xFFFFFF; }

// Fills every playable node but the last with `fill`, and one node with
// `special`, so that a click on (W-1, H-1) ends the game.
void FillAllButLast(engine::Board& board, engine::CellState special, engine::CellState fill = engine::csOwn) {
  for (int x = 1; x < board.FieldWidth(); ++x)
    for (int y = 1; y < board.FieldHeight(); ++y) board.Set(x, y, fill);
  board.Set(3, 3, special);
  board.Set(board.FieldWidth() - 1, board.FieldHeight() - 1, engine::csFree);
}

bool Enabled(const GameWindow& w, const char* action) { return w.Action(action)->isEnabled(); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startsWithTheLogAndTheGreetingOnly() {
    GameWindow w;
    w.Open();
    QCOMPARE(w->windowTitle(), QStringLiteral("Логическая игра \"Сольвар\""));
    QCOMPARE(w.LogLines(), QStringList{QStringLiteral("************** Вас приветствует игра \"Сольвар\" ***********")});
    QVERIFY(!w.Pole()->isVisibleTo(w.window.get()));
    QVERIFY(!w.Find("Panel1")->isVisibleTo(w.window.get()));
    QVERIFY(!Enabled(w, "N3"));
    QVERIFY(!Enabled(w, "N18"));
    QVERIFY(Enabled(w, "N4") && Enabled(w, "N8") && Enabled(w, "N14") && Enabled(w, "N20"));
    QCOMPARE(w.Action("N2")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(w.Action("N22")->shortcut(), QKeySequence(Qt::Key_F1));
    for (const char* hidden : {"Button1", "Button2", "Button3", "Button4", "BitBtn1", "Memo1", "Memo2", "Panel2"})
      QVERIFY2(!w.Find(hidden)->isVisibleTo(w.window.get()), hidden);
  }

  void playerMovesFirstWhenTheDrawSaysSo() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.Open();
    w.Action("N2")->trigger();
    QCOMPARE(w.prompts.messages, QStringList{QStringLiteral("Ваш ход первый! Ходите")});
    QCOMPARE(w.Label("Label6"), QStringLiteral("900"));
    QCOMPARE(engine::CountCells(w->Game().Board()).FreeCount, 900);
    QVERIFY(w->Game().InProgress());
  }

  void computerMovesFirstAndTheCountsShowItAtOnce() {
    GameWindow w(test::SeedWherePlayerStarts(false));
    w.Open();
    w.Action("N2")->trigger();
    QCOMPARE(w.prompts.messages, QStringList{QStringLiteral("Первый ход компьютера!")});
    QCOMPARE(w.Label("Label6"), QStringLiteral("899"));
    QVERIFY(w.Find("Shape1")->isVisibleTo(w.window.get()));
    QVERIFY(w.LogLines().last().startsWith(QStringLiteral("Ход машины->> ")));
  }

  void clickPlaysAndTheComputerAnswersWithItsMarker() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.MoveTo(Node{12, 7});
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Выбранная точка:12 7"));
    w.ClickHere(Node{12, 7});
    QCOMPARE(w->Game().Board().At(12, 7), engine::csOwn);
    QCOMPARE(w->Game().Board().At(11, 7), engine::csRival);
    const QStringList log = w.LogLines();
    QCOMPARE(log.at(log.size() - 2), QStringLiteral("Ваш ход ->> 12 - 7"));
    QCOMPARE(log.last(), QStringLiteral("Ход машины->> 11 - 7"));
    QCOMPARE(w.Find("Shape1")->pos(), w.Pole()->pos() + QPoint(12 * 11 - 5, 12 * 7 - 5));
    QCOMPARE(w.Label("Label6"), QStringLiteral("898"));
    QCOMPARE(w.FieldPixel(12 * 12, 12 * 7), Rgb(w->CurrentSettings().Colors.OwnColor));
    QCOMPARE(w.FieldPixel(12 * 11, 12 * 7), Rgb(w->CurrentSettings().Colors.RivalColor));
  }

  // A release left over from a menu or a box closed over the field plays
  // nothing: a dot needs the press and the release both on the field.
  void onlyAPressAndReleaseOnTheFieldPlay() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.MoveTo(Node{12, 7});
    const qsizetype boxes = w.prompts.messages.size();
    const QPoint pixel = w.NodePixel(Node{12, 7});
    QMouseEvent release(QEvent::MouseButtonRelease, pixel, w.Pole()->mapToGlobal(pixel), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w.Pole(), &release);
    QCOMPARE(w->Game().Board().At(12, 7), engine::csFree);
    const QPoint outside(-3, -3);
    QMouseEvent press(QEvent::MouseButtonPress, outside, w.Pole()->mapToGlobal(outside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w.Pole(), &press);
    QCoreApplication::sendEvent(w.Pole(), &release);
    QCOMPARE(w->Game().Board().At(12, 7), engine::csFree);
    QCOMPARE(w.prompts.messages.size(), boxes);  // not even «Вы не выбрали точку!»
    w.ClickHere(Node{12, 7});
    QCOMPARE(w->Game().Board().At(12, 7), engine::csOwn);
  }

  // The counters say whose captures they count: the player's and the
  // computer's, or in a game of two people each one's name.
  void countersNameWhoseCapturesTheyCount() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    QCOMPARE(w.Find<QLabel>("Label2")->toolTip(), QStringLiteral("Ваши захваты"));
    QCOMPARE(w.Find<QLabel>("Image2")->toolTip(), QStringLiteral("Ваши захваты"));
    QCOMPARE(w.Find<QLabel>("Label4")->toolTip(), QStringLiteral("Захваты — Компьютер (обычный)"));
    QCOMPARE(w.Find<QLabel>("Label6")->toolTip(), QStringLiteral("Свободные узлы"));
    w.prompts.yesNoAnswers = {true};
    w.prompts.inputAnswers = {QStringLiteral("Аня"), QStringLiteral("Борис")};
    w.Action("N37")->trigger();
    QVERIFY(w->Game().IsTwoPlayers());
    QCOMPARE(w.Find<QLabel>("Label2")->toolTip(), QStringLiteral("Захваты — Аня"));
    QCOMPARE(w.Find<QLabel>("Label4")->toolTip(), QStringLiteral("Захваты — Борис"));
  }

  void secondClickOnThePlayedNodeIsNoMove() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Click(Node{12, 7});
    w.ClickHere(Node{12, 7});
    QCOMPARE(w.prompts.messages.last(), QStringLiteral("Вы не выбрали точку!"));
    QCOMPARE(engine::CountCells(w->Game().Board()).FreeCount, 898);
  }

  void computersCaptureIsPaintedWithTheDotsOnTop() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Click(Node{5, 5});
    for (const Node far : {Node{20, 20}, Node{25, 25}, Node{10, 25}, Node{25, 10}}) {
      if (w->Game().Board().At(5, 5) == engine::csOwnCaptured) break;
      w.Click(far);
    }
    QCOMPARE(w->Game().Board().At(5, 5), engine::csOwnCaptured);
    const render::FieldColors& colors = w->CurrentSettings().Colors;
    QCOMPARE(w.FieldPixel(60, 52), Rgb(colors.RivalColor));  // inside the outline
    QCOMPARE(w.FieldPixel(61, 59), Rgb(colors.OwnColor));    // the captured dot on top
    QCOMPARE(w.FieldPixel(57, 57), Rgb(0x000000));            // crossed out
    QCOMPARE(w.Label("Label4"), QStringLiteral("1"));
    QVERIFY(w.LogLines().filter(QStringLiteral("Message->> ")).size() == 1);
  }

  void winAsksTheNameUntilGivenAndEntersTheRecord() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    w.Action("N2")->trigger();
    FillAllButLast(w->Game().Board(), engine::csRivalCaptured);
    w.prompts.inputAnswers = {QString(), QString(), std::nullopt};
    test::ModalCloser closer;
    w.Click(Node{14, 14});
    QVERIFY(w.prompts.messages.contains(QStringLiteral("Вы победили!!!\nВы окружили 1 точек противника.")));
    QCOMPARE(w.prompts.inputs.size(), 3);
    QCOMPARE(w.prompts.inputs.first(), QStringLiteral("Победа!!!|Введите ваше имя:|Студент"));
    QCOMPARE(w->Records().Table().RecordCount(), 1);
    QCOMPARE(w->Records().Table().Slot(1), (records::RecordEntry{text::Utf8ToCp1251("Студент"), 1}));
    QCOMPARE(closer.closed, QStringList{QStringLiteral("TForm6")});
    QVERIFY(!w->Game().InProgress());
    QVERIFY(Enabled(w, "N4") && Enabled(w, "N8") && Enabled(w, "N14"));
    QCOMPARE(w.Label("Label6"), QStringLiteral("0"));
  }

  void lossAndDrawAskNothing() {
    struct Case {
      engine::CellState Special, Fill;
      QString Text;
    };
    for (const Case& c : {Case{engine::csOwnCaptured, engine::csRivalArea, QStringLiteral("Вы проиграли!!!\nС раздницей 1 точек.")},
                          Case{engine::csOwn, engine::csOwn, QStringLiteral("Ничья! Так получилось!")}}) {
      GameWindow w;
      w.Open();
      w->Game().Board().SetFieldSize(15, 15);
      w.Action("N2")->trigger();
      FillAllButLast(w->Game().Board(), c.Special, c.Fill);
      w.Click(Node{14, 14});
      QCOMPARE(w.prompts.messages.last(), c.Text);
      QVERIFY(w.prompts.inputs.isEmpty());
      QCOMPARE(w->Records().Table().RecordCount(), 0);
      QVERIFY(!w->Game().InProgress());
      QVERIFY(Enabled(w, "N4") && Enabled(w, "N8") && Enabled(w, "N14"));
    }
  }

  void surrenderEndsTheGameWithoutAResult() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Click(Node{8, 8});
    QVERIFY(Enabled(w, "N3"));
    QVERIFY(!Enabled(w, "N4") && !Enabled(w, "N9") && !Enabled(w, "N14"));
    QVERIFY(Enabled(w, "N20") && Enabled(w, "N5") && Enabled(w, "N8"));
    QVERIFY(!Enabled(w, "N18"));
    w.Find<QToolButton>("BitBtn2")->click();
    QCOMPARE(w.prompts.messages.size(), 2);
    QCOMPARE(w.prompts.messages.last(), QStringLiteral("Прервать партию?"));  // answered Да
    QVERIFY(!w->Game().InProgress());
    QCOMPARE(w->Game().Board().At(8, 8), engine::csFree);
    QCOMPARE(w.Label("Label2"), QStringLiteral("0"));
    QVERIFY(!w.Pole()->isVisibleTo(w.window.get()));
    QVERIFY(!Enabled(w, "N3"));
    QVERIFY(Enabled(w, "N4") && Enabled(w, "N8") && Enabled(w, "N14"));
  }

  void newGameDuringAGameAsksAndOnlyNoKeepsIt() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Click(Node{8, 8});
    w.prompts.yesNoAnswers = {false};
    w.Action("N2")->trigger();
    QCOMPARE(w.prompts.messages.last(), QStringLiteral("Вы хотите прервать игру?"));
    QCOMPARE(w->Game().Board().At(8, 8), engine::csOwn);
    w.prompts.yesNoAnswers = {true};
    w.Action("N2")->trigger();
    QCOMPARE(w->Game().Board().At(8, 8), engine::csFree);
    QCOMPARE(w.LogLines().filter(QStringLiteral("Новая игра началась!!!")).size(), 2);
  }

  void windowAndLogFollowTheFieldSize() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    QCOMPARE(w.Pole()->size(), QSize(373, 373));
    QCOMPARE(w.Find("Memo3")->height(), 112);
    QCOMPARE(w.Find("Content")->size(), QSize(481, 373 + 112));
    QCOMPARE(w.Find("Panel1")->geometry(), QRect(373, 0, 108, 373));
    QCOMPARE(w->width(), 481);
    QVERIFY(w->height() > 373 + 112 + 19);
    w.Action("N3")->trigger();
    w->Game().Board().SetFieldSize(15, 15);
    w.Action("N2")->trigger();
    QCOMPARE(w.Pole()->size(), QSize(181, 181));
    QCOMPARE(w.Find("Memo3")->height(), 54);
    QCOMPARE(w.Label("Label6"), QStringLiteral("196"));
    w.Action("N3")->trigger();
    QCOMPARE(w.Find("Content")->height(), 54);
  }

  void previousMoveViewerShowsTheFieldBeforeTheMove() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    QVERIFY(!w.Find("BitBtn3")->isEnabled());
    w.Click(Node{12, 7});
    QVERIFY(w.Find("BitBtn3")->isEnabled());
    test::ModalCloser closer;
    w.Find<QToolButton>("BitBtn3")->click();
    QCOMPARE(closer.closed, QStringList{QStringLiteral("TForm3")});
    auto* form3 = w.window->findChild<QDialog*>(QStringLiteral("TForm3"));
    QCOMPARE(form3->findChild<QLabel*>(QStringLiteral("Image1"))->size(), QSize(373, 373));
    const QImage& snapshot = w->Field().Snapshot().Image();
    const render::FieldColors& colors = w->CurrentSettings().Colors;
    QCOMPARE(snapshot.pixel(12 * 12 + 1, 12 * 7 + 1) & 0xFFFFFF, Rgb(colors.OwnColor));  // the preview
    QCOMPARE(snapshot.pixel(12 * 11 + 1, 12 * 7 + 1) & 0xFFFFFF, Rgb(colors.BackColor));  // no reply yet
    w.Find<QPushButton>("BitBtn1")->click();  // "Назад" paints it back onto the field
    QCOMPARE(w.FieldPixel(12 * 11 + 1, 12 * 7 + 1), Rgb(colors.BackColor));
    QCOMPARE(w->Game().Board().At(11, 7), engine::csRival);
  }

  void recordsAreLoadedAtStartAndSavedAtExit() {
    GameWindow w;
    records::RecordsTable table;
    table.InsertRecord({"old", 5});
    records::SaveRecords(table, w.dir.File("winner.txt"));
    w.Open();
    QCOMPARE(w->Records().Table().RecordCount(), 1);
    w->Records().Table().InsertRecord({"new", 7});
    w.Action("N7")->trigger();
    records::RecordsTable saved;
    records::LoadRecords(saved, w.dir.File("winner.txt"));
    QCOMPARE(saved.RecordCount(), 2);
    QCOMPARE(saved.Slot(1).Name, std::string("new"));
  }

  void damagedRecordsFileShowsItsErrorAndTheProgramGoesOn() {
    GameWindow w;
    test::WriteBytes(w.dir.File("winner.txt"), "ju\x01k\r\n");
    w.Open();
    QCOMPARE(w.prompts.errors.size(), 1);
    // The count line unscrambles to letters and a control byte, shown as "?".
    QCOMPARE(w.prompts.errors.first(), QStringLiteral("'yf?x' is not a valid integer value\n"
                                                      "Файл рекордов winner.txt повреждён; он сохранён как winner.txt.bak."));
    w.Action("N2")->trigger();
    QVERIFY(w->Game().InProgress());
  }

  void recordsWindowListsTheTable() {
    GameWindow w;
    w.Open();
    test::ModalCloser closer;
    w.Action("N5")->trigger();
    auto* grid = w.window->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Участник"));
    w->Records().Table().InsertRecord({text::Utf8ToCp1251("Вася"), 12});
    w->Records().Table().InsertRecord({"Kim", 20});
    w.Action("N5")->trigger();
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("1"));
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("Kim"));
    QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("Вася"));
    QCOMPARE(grid->item(2, 2)->text(), QStringLiteral("12"));
    QCOMPARE(closer.closed.size(), 2);
  }

  void helpOpensTheProgramsOwnOrTopicOneOfTheClassicFile() {
    GameWindow w;
    w.Open();
    w.Action("N22")->trigger();
    QVERIFY(w.prompts.messages.isEmpty());
    QVERIFY(w.desktop.opened.isEmpty());
    QVERIFY(w.window->findChild<QDialog*>(QStringLiteral("HelpWindow"))->isVisible());
    test::WriteBytes(w.dir.File("help.hlp"), "help");
    w.Action("N22")->trigger();
    QCOMPARE(w.desktop.opened.size(), 1);
    QVERIFY(w.desktop.opened.first().endsWith(QStringLiteral("help.hlp#1")));
  }

  void computerAgainstComputerPlaysToTheEnd() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    w.Find<QPushButton>("Button1")->click();
    auto* timer = w.window->findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 10);
    for (int tick = 0; tick < 200 && timer->isActive(); ++tick) w->Timer1Timer();
    QVERIFY(!timer->isActive());
    QCOMPARE(engine::CountCells(w->Game().Board()).FreeCount, 0);
  }

  void computerAgainstComputerPlaysSide2AtTheChosenLevel() {
    GameWindow w;
    w.options.StrongMoveTimeMs = 5;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    w.Action("N29")->trigger();
    w.Find<QPushButton>("Button1")->click();
    auto* timer = w.window->findChild<QTimer*>(QStringLiteral("Timer1"));
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 120000);
    QCOMPARE(engine::CountCells(w->Game().Board()).FreeCount, 0);
    const auto& moves = w->Game().Moves();
    QVERIFY(moves.size() > 100);
    for (std::size_t i = 0; i < moves.size(); ++i) QCOMPARE(moves[i].Mover, i % 2 == 0 ? engine::Side::Own : engine::Side::Rival);
  }

  void testPositionsPlayTheirMoves() {
    GameWindow w;
    w.Open();
    engine::FrameBoard(w->Game().Board());
    w.Find<QPushButton>("Button4")->click();  // "Proverka": side 1 closes at (5, 4)
    QCOMPARE(w->Game().Board().At(5, 4), engine::csOwn);
    QCOMPARE(w->Game().Board().At(5, 2), engine::csRivalCaptured);
    w.Find<QPushButton>("Button3")->click();  // "Pole": the bare grid
    QCOMPARE(w.FieldPixel(0, 5), Rgb(w->CurrentSettings().Colors.GridColor));
    engine::ClearBoard(w->Game().Board());
    w.Find<QPushButton>("Button2")->click();  // "Okrugaj!!!!"
    QCOMPARE(engine::CountCells(w->Game().Board()).FreeCount, 900 - 11);
  }

  void playingForTheComputerPutsItsDotWithoutAReply() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Find("Panel2")->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    const auto lines = w.LogLines().size();
    w.Click(Node{9, 9});
    QCOMPARE(w->Game().Board().At(9, 9), engine::csRival);
    QCOMPARE(w.LogLines().size(), lines);
    QCOMPARE(engine::CountCells(w->Game().Board()).FreeCount, 899);
  }

  void storedPositionLoadsOrShowsItsError() {
    GameWindow w;
    w.Open();
    auto* panel = w.Find("Panel2");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    panel->resize(10, 10);
    QCoreApplication::sendEvent(panel, &release);
    QCOMPARE(w.prompts.errors, QStringList{QStringLiteral("File not found")});
    const auto key = static_cast<std::uint8_t>('2');  // 15 x 15 = 225
    std::string text = records::ScrambleText("15~15", records::RecordsKey) + "\r\n";
    for (int x = 0; x <= 15; ++x) text += records::ScrambleText(std::string(15, '1'), key) + "\r\n";
    test::WriteBytes(w.dir.File("123.txt"), text);
    QCoreApplication::sendEvent(panel, &release);
    QCOMPARE(w->Game().Board().FieldWidth(), 15);
    QCOMPARE(w->Game().Board().At(7, 7), engine::csOwn);
  }

  void strongComputerIsChosenForTheNextGameAndThinksWhileTheWindowAnswers() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.options.StrongMoveTimeMs = 30;
    w.Open();
    QVERIFY(w.Action("N28")->isChecked() && !w.Action("N29")->isChecked());
    w->Game().Board().SetFieldSize(15, 15);
    w.Action("N29")->trigger();
    QVERIFY(w.Action("N29")->isChecked() && !w.Action("N28")->isChecked());
    test::ModalCloser closer;
    w.Action("N2")->trigger();
    bool sawThinking = false;
    QElapsedTimer clock;
    clock.start();
    // The player takes the first free node whenever the field takes clicks.
    while (w->Game().InProgress() && !clock.hasExpired(120000)) {
      if (w.Pole()->isEnabled()) {
        for (int x = 1; x < 15 && w.Pole()->isEnabled(); ++x)
          for (int y = 1; y < 15 && w.Pole()->isEnabled(); ++y)
            if (w->Game().Board().At(x, y) == engine::csFree) {
              w.Click(Node{x, y});
              sawThinking = sawThinking || w.Label("StatusPanel1").startsWith(QStringLiteral("Компьютер думает... "));
            }
      }
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QVERIFY(!w->Game().InProgress());
    QVERIFY(sawThinking);
    QCOMPARE(w.prompts.messages.filter(QStringLiteral("Вы ")).size() +
                 w.prompts.messages.filter(QStringLiteral("Ничья")).size(), 1);
    QVERIFY(w.LogLines().filter(QStringLiteral("Ход машины->> ")).size() > 50);
  }

  void closingTheWindowWhileTheStrongComputerThinksStopsItAtOnce() {
    GameWindow w(test::SeedWherePlayerStarts(true));
    w.options.StrongMoveTimeMs = 60000;
    w.Open();
    w.Action("N29")->trigger();
    w.Action("N2")->trigger();
    w.Click(Node{10, 10});
    QVERIFY(!w.Pole()->isEnabled());
    QElapsedTimer clock;
    clock.start();
    w.window.reset();
    QVERIFY(clock.elapsed() < 10000);
  }

  void logAlwaysShowsItsNewestLine() {
    GameWindow w;
    w.Open();
    auto* log = w.Find<QPlainTextEdit>("Memo3");
    for (int i = 0; i < 12; ++i) w->Log(QStringLiteral("строка %1").arg(i));
    w->Game().Board().SetFieldSize(15, 15);
    w.Action("N2")->trigger();  // the log shrinks to 54 pixels
    QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    for (const Node node : {Node{7, 7}, Node{9, 9}, Node{11, 11}}) {
      w.Click(node);
      QVERIFY(log->verticalScrollBar()->maximum() > 0);
      QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    }
  }

  void smallestFieldShowsTheStatusBarWholeAndTheViewMenuHasItsIcons() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    w.Action("N2")->trigger();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.MoveTo(Node{14, 14});
    QCoreApplication::processEvents();
    auto* selection = w.Find<QLabel>("StatusPanel1");
    auto* credit = w.Find<QLabel>("StatusPanel2");
    QVERIFY(selection->geometry().right() < credit->geometry().left());
    QVERIFY(credit->geometry().right() < w->statusBar()->width());
    QVERIFY(credit->width() >= credit->sizeHint().width());
    QCOMPARE(w.Pole()->size(), QSize(181, 181));
    QVERIFY(w.Find<QLabel>("Label1")->width() >= w.Find<QLabel>("Label1")->sizeHint().width());
    for (const char* item : {"N9", "N10", "N11", "N12"}) QVERIFY2(!w.Action(item)->icon().isNull(), item);
  }

  void recordsThatCannotBeSavedSaySoAtExit() {
    GameWindow w;
    // Its folder is a file: the folder cannot be made, the file not written.
    test::WriteBytes(w.dir.File("file"), "");
    w.options.RecordsFile = QString::fromStdString(w.dir.File("file/winner.txt"));
    w.Open();
    w.Action("N7")->trigger();
    QCOMPARE(w.prompts.errors, QStringList{QStringLiteral("I/O error 20\nРекорды не сохранены в файл winner.txt.")});
  }

  void standardDialogsSpeakRussian() {
    QVERIFY(game::InstallQtTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
  }

  void savedGameOpensAndStepsThroughItsMoves() {
    GameWindow w;
    w.Open();
    w->Game().Board().SetFieldSize(15, 15);
    const QString path = QString::fromStdString(w.dir.File("game.sgf"));
    QVERIFY(!w.Action("N30")->isEnabled());  // nothing to save yet
    w.Action("N2")->trigger();
    QVERIFY(w.Action("N30")->isEnabled() && w.Action("N31")->isEnabled());  // opening asks first
    const QRect field(0, 0, 181, 181);
    const QImage empty = w->Field().Picture().Image().copy(field);
    // The computer rings (5, 5) while the player plays along row 12.
    for (const Node node : {Node{5, 5}, Node{2, 12}, Node{4, 12}, Node{6, 12}, Node{8, 12}, Node{10, 12}, Node{12, 12}}) {
      if (w->Game().Board().At(node) == engine::csFree) w.Click(node);
    }
    QCOMPARE(w->Game().Board().At(5, 5), engine::csOwnCaptured);
    const QImage played = w->Field().Picture().Image().copy(field);
    const std::size_t moves = w->Game().Moves().size();
    w.prompts.fileAnswers = {path};
    w.Action("N30")->trigger();  // during the game
    w.Action("N3")->trigger();
    QVERIFY(w.Action("N30")->isEnabled() && w.Action("N31")->isEnabled());
    QVERIFY(test::ReadBytes(path.toStdString()).rfind("(;FF[4]GM[40]", 0) == 0);

    w.prompts.fileAnswers = {path};
    w.Action("N31")->trigger();
    QVERIFY(w->Viewer().IsShowing());
    QVERIFY(w.Pole()->isVisibleTo(w.window.get()));
    QCOMPARE(w->Field().Picture().Image().copy(field), played);  // the last move, as the game painted it
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Ход %1 из %1").arg(moves));
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QTest::keyClick(w.window.get(), Qt::Key_Home);
    QCOMPARE(w->Field().Picture().Image().copy(field), empty);
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Начало партии"));
    QTest::keyClick(w.window.get(), Qt::Key_Right);
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Ход 1 из %1").arg(moves));
    QCOMPARE(w.Label("StatusPanel2"), QStringLiteral("Игрок"));
    w.Find<QToolButton>("ViewForward")->click();
    QCOMPARE(w.Label("StatusPanel2"), QStringLiteral("Компьютер (обычный)"));
    QTest::keyClick(w.window.get(), Qt::Key_End);
    QCOMPARE(w->Field().Picture().Image().copy(field), played);
    QTest::keyClick(w.window.get(), Qt::Key_Left);
    QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Ход %1 из %2").arg(moves - 1).arg(moves));
    // Clicks on the field do nothing while a saved game is shown.
    const int boxes = static_cast<int>(w.prompts.messages.size());
    w.ClickHere(Node{13, 3});
    QCOMPARE(static_cast<int>(w.prompts.messages.size()), boxes);
    QVERIFY(w->Game().Moves().size() == moves);
    // «Начать новую» leaves it.
    w.Action("N2")->trigger();
    QVERIFY(!w->Viewer().IsShowing());
    QVERIFY(w->Game().InProgress());
    QCOMPARE(w.Label("StatusPanel2"), QStringLiteral("solvar.example.org"));
  }

  void refusedSavedGameChangesNothing() {
    GameWindow w;
    w.Open();
    test::WriteBytes(w.dir.File("go.sgf"), "(;GM[1]SZ[19];B[aa])");
    w.prompts.fileAnswers = {QString::fromStdString(w.dir.File("go.sgf"))};
    w.Action("N31")->trigger();
    QCOMPARE(w.prompts.errors, QStringList{QStringLiteral("Партия не открыта: Это не партия в точки: GM[1] вместо GM[40].")});
    QVERIFY(!w->Viewer().IsShowing());
    QVERIFY(!w.Pole()->isVisibleTo(w.window.get()));
  }

  void clockShowsTheTimeOfDay() {
    GameWindow w;
    w.Open();
    w->Timer2Timer();
    QVERIFY(QTime::fromString(w.Label("StatusPanel0"), QStringLiteral("H:mm:ss")).isValid() ||
            QTime::fromString(w.Label("StatusPanel0"), QStringLiteral("HH:mm:ss")).isValid());
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::MainWindowTest)
#include "main_window_test.moc"
