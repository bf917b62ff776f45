// The field's zoom on a 1366 x 768 screen: the steps of «Масштаб поля» and
// its keys, clicks at every zoom, the largest zoom that fits the screen, and
// a field that takes the window's size.

#include <QtTest>

#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QToolButton>

#include "dialogs/field_size_dialog.h"
#include "game_window.h"
#include "support/offscreen_screen.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

namespace {

// The largest field, as the size box offers it.
void ChooseLargestField(GameWindow& w) {
  auto* form4 = w.window->findChild<dialogs::TForm4*>(QStringLiteral("TForm4"));
  QTimer::singleShot(0, [form4] { form4->BitBtn1Click(); });
  w.Action("N4")->trigger();
}

bool FitsTheScreen(const GameWindow& w) {
  return w.window->screen()->availableGeometry().contains(w.window->frameGeometry());
}

QString KeptZoom(const GameWindow& w) {
  return QSettings(w.options.SettingsFile, QSettings::IniFormat).value(QStringLiteral("view/zoom")).toString();
}

}  // namespace

// The status bar names the zoom taken in words that fit its panel whole,
// and its tooltip says which zoom did not fit.
void SaysTheZoomTaken(const test::GameWindow& w, const QString& chosen, const QString& taken) {
  const auto* panel = w.Find<QLabel>("StatusPanel1");
  QCOMPARE(panel->text(), QStringLiteral("Поле в масштабе ") + taken);
  QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->width());
  QCOMPARE(panel->toolTip(), QStringLiteral("Масштаб %1 не помещается на экране: поле в масштабе %2").arg(chosen, taken));
}

class ZoomTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Each step draws the same field larger; a click lands on its node and the
  // dot is drawn there; the keys step through the sizes; the choice is kept.
  void stepsDrawTheFieldLargerAndClicksLandOnTheirNodes() {
    GameWindow w;
    w.Open();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    w->Game().Board().SetFieldSize(15, 15);
    w.Action("N2")->trigger();
    QCOMPARE(w.Pole()->size(), QSize(181, 181));
    QVERIFY(w.Action("N41")->isChecked());
    struct Step {
      const char* action;
      double zoom;
      int pixels;  // the field's side
    };
    const QList<Step> steps = {{"N42", 1.5, 272}, {"N43", 2.0, 362}, {"N44", 3.0, 543}};
    int played = 0;
    for (const auto& [name, zoom, pixels] : steps) {
      w.Action(name)->trigger();
      QCOMPARE(w->Field().Zoom(), zoom);
      QCOMPARE(w.Pole()->size(), QSize(pixels, pixels));
      QCOMPARE(w.Find("Memo3")->height(), 54);  // the log as at 100 %
      const Node node{4 + 2 * played, 6};
      w.Click(node);
      ++played;
      QCOMPARE(w->Game().Board().At(node), engine::csOwn);
      // The picture shown is drawn at the zoom, the dot's fill at its node.
      const QImage& shown = w->Field().Picture().Shown();
      QCOMPARE(shown.pixel(w.NodePixel(node)) & 0xFFFFFF, render::ToRgb(w->CurrentSettings().Colors.OwnColor) & 0xFFFFFF);
      QCOMPARE(w.Label("StatusPanel1"), QStringLiteral("Выбранная точка:%1 %2").arg(node.X).arg(node.Y));
      QVERIFY(FitsTheScreen(w));
    }
    QCOMPARE(KeptZoom(w), QStringLiteral("300"));
    QTest::keyClick(w.window.get(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w->Field().Zoom(), 2.0);
    QVERIFY(w.Action("N43")->isChecked());
    QTest::keyClick(w.window.get(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(w->Field().Zoom(), 3.0);
    QTest::keyClick(w.window.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w->Field().Zoom(), 1.0);
    QCOMPARE(w.Pole()->size(), QSize(181, 181));
    QTest::keyClick(w.window.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(w->Field().Zoom(), 1.5);
    QCOMPARE(KeptZoom(w), QStringLiteral("150"));
    // The dots played at every zoom are all still there, drawn anew.
    for (int i = 0; i < played; ++i) QCOMPARE(w->Game().Board().At(4 + 2 * i, 6), engine::csOwn);
  }

  // 31 x 31, the field of a first run, fits this screen at 150 % but not at
  // 200 %.
  void theDefaultFieldTakesTheLargestStepThatFits() {
    GameWindow w;
    w.Open();
    w->show();
    w.Action("N2")->trigger();
    w.Action("N42")->trigger();
    QCOMPARE(w->Field().Zoom(), 1.5);
    QVERIFY(w.Label("StatusPanel1").isEmpty());
    w.Action("N43")->trigger();
    QCOMPARE(w->Field().Zoom(), 1.5);
    SaysTheZoomTaken(w, QStringLiteral("200 %"), QStringLiteral("150 %"));
    QVERIFY(FitsTheScreen(w));
  }

  // The previous-move window shows the field at the zoom of the field.
  void previousMoveWindowFollowsTheZoom() {
    GameWindow w;
    w.Open();
    w.Action("N2")->trigger();
    w.Action("N43")->trigger();
    w.Click(Node{12, 7});
    test::ModalCloser closer;
    w.Find<QToolButton>("BitBtn3")->click();
    QCOMPARE(closer.closed, QStringList{QStringLiteral("TForm3")});
    const auto* image = w.window->findChild<QDialog*>(QStringLiteral("TForm3"))->findChild<QLabel*>(QStringLiteral("Image1"));
    QCOMPARE(image->size(), w.Pole()->size());
  }

  // 45 x 35 at 300 % is far taller than the screen: the largest step that
  // fits is taken and the status bar says so; the choice itself is kept.
  void aZoomThatDoesNotFitTakesTheLargestThatDoes() {
    GameWindow w;
    w.Open();
    w->show();
    ChooseLargestField(w);
    w.Action("N44")->trigger();
    w.Action("N2")->trigger();
    const double zoom = w->Field().Zoom();
    QVERIFY(zoom < 3.0);
    SaysTheZoomTaken(w, QStringLiteral("300 %"), QStringLiteral("%1 %").arg(qRound(zoom * 100)));
    QVERIFY(FitsTheScreen(w));
    const auto* area = w.Find<QScrollArea>("FieldArea");
    QVERIFY(area->width() > w.Pole()->width());  // whole, no scrolling
    QVERIFY(w.Action("N44")->isChecked());
    QCOMPARE(KeptZoom(w), QStringLiteral("300"));
    w.Click(Node{40, 30});
    QCOMPARE(w->Game().Board().At(40, 30), engine::csOwn);
  }

  // «По размеру окна»: the window can be resized and the field takes the
  // largest zoom that fits it.
  void fitToWindowFollowsTheWindowsSize() {
    GameWindow w;
    w.Open();
    w->show();
    w.Action("N2")->trigger();
    w.Action("N45")->trigger();
    QVERIFY(w->minimumSize() != w->maximumSize());
    w->resize(1000, 700);
    QTRY_VERIFY(w->Field().Zoom() > 1.4);
    const double large = w->Field().Zoom();
    QVERIFY(w.Pole()->width() + 108 <= w->width());
    QVERIFY(w.Pole()->height() < w->height());
    w->resize(500, 450);
    QTRY_VERIFY(w->Field().Zoom() < large);
    QVERIFY(w.Pole()->width() + 108 <= w->width());
    w.Click(Node{12, 7});
    QCOMPARE(w->Game().Board().At(12, 7), engine::csOwn);
    QCOMPARE(KeptZoom(w), QStringLiteral("fit"));
  }

  // A first run kept at «По размеру окна» (no window size kept yet) opens as
  // large as the field at 100 %, not at the least size a window may have.
  void fitToWindowWithNoKeptSizeOpensAtTheFieldsSize() {
    GameWindow w;
    {
      QSettings file(w.options.SettingsFile, QSettings::IniFormat);
      file.setValue(QStringLiteral("view/zoom"), QStringLiteral("fit"));
      file.setValue(QStringLiteral("field/width"), 20);
      file.setValue(QStringLiteral("field/height"), 20);
    }
    w.Open();
    w->show();
    QVERIFY(w.Action("N45")->isChecked());
    QVERIFY(w->width() >= 241 + 108);
    w.Action("N2")->trigger();
    QTRY_VERIFY(w->Field().Zoom() >= 1.0);
    QVERIFY(w.Pole()->isVisible());
    QVERIFY(FitsTheScreen(w));
  }
};

}  // namespace solvar::game

int main(int argc, char* argv[]) {
  solvar::test::UseOffscreenScreen(1366, 768);
  QApplication app(argc, argv);
  solvar::game::ZoomTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "zoom_test.moc"
