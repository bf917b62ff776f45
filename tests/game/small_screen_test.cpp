// A 1366 x 768 screen at 200 %, 683 x 384 logical pixels: the largest field
// does not fit even at 100 %, so the window keeps to the screen and the
// field scrolls.

#include <QtTest>

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "dialogs/field_size_dialog.h"
#include "game_window.h"
#include "support/offscreen_screen.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

class SmallScreenTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aFieldLargerThanTheScreenScrolls() {
    GameWindow w;
    w.Open();
    w->show();
    auto* form4 = w.window->findChild<dialogs::TForm4*>(QStringLiteral("TForm4"));
    QTimer::singleShot(0, [form4] { form4->BitBtn1Click(); });
    w.Action("N4")->trigger();
    w.Action("N2")->trigger();
    QCOMPARE(w->Field().Zoom(), 1.0);
    QCOMPARE(w.Pole()->size(), QSize(541, 421));
    QVERIFY(w->screen()->availableGeometry().contains(w->frameGeometry()));
    const auto* area = w.Find<QScrollArea>("FieldArea");
    QVERIFY(area->viewport()->height() < w.Pole()->height());
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    QVERIFY(w.Find("Memo3")->isVisibleTo(w.window.get()));
    QVERIFY(w.Find("Memo3")->height() > 0);
    w.Click(Node{40, 33});
    QCOMPARE(w->Game().Board().At(40, 33), engine::csOwn);
  }
};

}  // namespace solvar::game

int main(int argc, char* argv[]) {
  solvar::test::UseOffscreenScreen(1366, 768);
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  solvar::game::SmallScreenTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "small_screen_test.moc"
