// What a new player meets in the window: how to begin, the hint's words
// gone with its ring, the list and the marker whole at a game's end, a
// given-up game that says who won, titles and tooltips that name the sides,
// names in the list not cut where there is room, and the coordinates.

#include <QtTest>

#include <QLabel>
#include <QScrollArea>
#include <QSettings>
#include <QTableWidget>
#include <QToolButton>

#include "game/field_presenter.h"
#include "game/game_review.h"
#include "game/game_viewer.h"
#include "game/move_list.h"
#include "game_window.h"
#include "match/sgf_file.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

namespace {

// A small field, so that a whole game is quick.
void SmallField(GameWindow& w) { w->Game().Board().SetFieldSize(15, 15); }

// Plays the player's dots on the first free nodes until the game is over.
void PlayToTheEnd(GameWindow& w) {
  while (w->Game().InProgress()) {
    const Node node = test::FirstFreeNode(w->Game());
    if (node.X < 0) break;
    w.Click(node);
  }
}

}  // namespace

class FirstStepsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The first start says how to begin, in words the panel shows whole, with
  // the key in its tooltip.
  void theFirstStartSaysHowToBegin() {
    GameWindow w;
    w.Open();
    const auto* panel = w.Find<QLabel>("StatusPanel1");
    QCOMPARE(panel->text(), QStringLiteral("Игра → Начать новую"));
    QCOMPARE(panel->toolTip(), QStringLiteral("Игра → Начать новую (Ctrl+N)"));
    QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->width());
    w.Action("N2")->trigger();
    QVERIFY(!w.Label("StatusPanel1").startsWith(QStringLiteral("Игра →")));
  }

  // «Ход назад» takes the hint's ring away, and its words with it.
  void takingAMoveBackTakesTheHintsWordsAway() {
    GameWindow w;
    w.options.StrongMoveTimeMs = 100;
    w.Open();
    SmallField(w);
    w.Action("N2")->trigger();
    w.Click(Node{7, 7});
    w.Action("N36")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(w.Label("StatusPanel1").startsWith(FieldPresenter::HintPrefix()), 10000);
    w.Action("N35")->trigger();
    QVERIFY(!w.Find<QWidget>("HintRing")->isVisibleTo(w.window.get()));
    QVERIFY(!w.Label("StatusPanel1").startsWith(FieldPresenter::HintPrefix()));
  }

  // While the result box is up, the list holds every move of the game and
  // the marker stands on the computer's last dot.
  void theListAndTheMarkerAreWholeAtTheGamesEnd() {
    GameWindow w;
    w.Open();
    SmallField(w);
    w->Review().OnShowList(true);
    int rows = -1;
    std::size_t moves = 0;
    QPoint marker;
    QPoint lastComputerDot;
    w.prompts.whileOpen = [&](const QString& text) {
      if (!text.startsWith(QStringLiteral("Вы ")) && !text.startsWith(QStringLiteral("Ничья"))) return;
      rows = w.Find<QTableWidget>("MoveList")->rowCount();
      moves = w->Game().Moves().size();
      const auto* shape = w.Find<QWidget>("Shape1");
      marker = shape->geometry().center();
      for (auto move = w->Game().Moves().rbegin(); move != w->Game().Moves().rend(); ++move) {
        if (move->Mover != engine::Side::Rival) continue;
        lastComputerDot = w.NodePixel(move->Dot);
        break;
      }
    };
    w.Action("N2")->trigger();
    PlayToTheEnd(w);
    QVERIFY(moves > 0);
    QCOMPARE(static_cast<std::size_t>(rows), moves);
    QVERIFY((marker - lastComputerDot).manhattanLength() <= 2);
  }

  // «Сдаться»: the field goes, as it always did, and the log and the status
  // bar say who won.
  void givingUpSaysWhoWon() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Click(Node{8, 8});
    w.Action("N3")->trigger();
    QVERIFY(!w->Game().InProgress());
    QCOMPARE(w.LogLines().last(), QStringLiteral("Партия сдана: победил Компьютер (обычный)"));
    QCOMPARE(w.Label("StatusPanel2"), QStringLiteral("Партия сдана: победил Компьютер (обычный)"));
  }

  // A game shown whose file names no players has a title that names the
  // sides, and counters' tooltips that do too.
  void aGameWithoutNamesIsTitledBySides() {
    GameWindow w;
    w.Open();
    const std::string path = w.dir.File("nameless.sgf");
    test::WriteBytes(path, "(;GM[40]FF[4]SZ[14];B[dd];W[ee];B[ff])");
    QVERIFY(w->Viewer().Open(QString::fromStdString(path)));
    QVERIFY2(w->windowTitle().endsWith(QStringLiteral(" — Сторона 1 и Сторона 2")), qPrintable(w->windowTitle()));
    QCOMPARE(w.Find<QLabel>("Label2")->toolTip(), QStringLiteral("Захваты — Сторона 1"));
    QCOMPARE(w.Find<QLabel>("Label4")->toolTip(), QStringLiteral("Захваты — Сторона 2"));
  }

  // The list's «Кто» shows a whole name while the list has room for it (no
  // analysis to show beside it).
  void namesInTheListAreWholeWhereThereIsRoom() {
    GameWindow w;
    w.options.StrongMoveTimeMs = 50;
    w.Open();
    SmallField(w);
    w.Action("N29")->trigger();  // «Сильный»
    w->Review().OnShowList(true);
    w.Action("N2")->trigger();
    w.Click(Node{7, 7});
    QTRY_COMPARE_WITH_TIMEOUT(w->Game().Moves().size(), std::size_t{2}, 10000);
    auto* list = w.Find<QTableWidget>("MoveList");
    const QTableWidgetItem* name = list->item(1, 1);
    QCOMPARE(name->text(), QStringLiteral("Компьютер (сильный)"));
    const QRect cell = list->visualItemRect(name);
    const int needed = list->fontMetrics().horizontalAdvance(name->text()) + list->iconSize().width() + 8;
    QVERIFY2(cell.width() >= needed, qPrintable(QStringLiteral("%1 < %2").arg(cell.width()).arg(needed)));
  }

  // «Вид» → «Координаты»: off at first (the picture as it always was), kept,
  // and drawn over the field's margin at every zoom.
  void coordinatesAreKeptAndDrawnAtEveryZoom() {
    GameWindow w;
    w.Open();
    QVERIFY(!w.Action("ShowCoordinates")->isChecked());
    w.Action("N2")->trigger();
    auto* marks = w.Find<QWidget>("CoordinateMarks");
    QVERIFY(!marks->isVisibleTo(w.window.get()));
    w.Action("ShowCoordinates")->trigger();
    QVERIFY(marks->isVisibleTo(w.window.get()));
    QCOMPARE(QSettings(w.options.SettingsFile, QSettings::IniFormat).value(QStringLiteral("view/coordinates")).toString(),
             QStringLiteral("shown"));
    for (const char* zoom : {"N41", "N43"}) {
      w.Action(zoom)->trigger();
      QCOMPARE(marks->size(), w.Pole()->size());
      // The field with its numbers against the field without them: they
      // change the top margin near column 12, and nothing in the middle.
      QWidget* host = w.Find<QWidget>("FieldHost");
      const QImage with = host->grab().toImage();
      marks->hide();
      const QImage without = host->grab().toImage();
      marks->show();
      const double cell = 12 * w->Field().Zoom();
      const auto differs = [&](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
          for (int x = area.left(); x <= area.right(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) return true;
        return false;
      };
      QVERIFY(differs(QRect(QPoint(static_cast<int>(cell * 11.6), 1), QPoint(static_cast<int>(cell * 12.4), static_cast<int>(cell) - 1))));
      QVERIFY(!differs(QRect(QPoint(static_cast<int>(cell * 5), static_cast<int>(cell * 5)),
                             QPoint(static_cast<int>(cell * 9), static_cast<int>(cell * 9)))));
    }
    GameWindow later;
    later.options.SettingsFile = w.options.SettingsFile;
    later.Open();
    QVERIFY(later.Action("ShowCoordinates")->isChecked());
  }
};

}  // namespace solvar::game

QTEST_MAIN(solvar::game::FirstStepsTest)
#include "first_steps_test.moc"
