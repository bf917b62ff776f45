// The window on a screen of two device pixels per logical pixel: the field
// is drawn at that density, and nothing measured in logical pixels moves.

#include <QtTest>

#include <QToolButton>

#include <cmath>

#include "game/field_view.h"
#include "game_window.h"
#include "support/offscreen_screen.h"
#include "render/field_painter.h"

namespace solvar::game {

using engine::Node;
using test::GameWindow;

class HiDpiWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void fieldIsDrawnAtTheScreensDensityAndClicksLandOnTheirNodes() {
    GameWindow w;
    w.Open();
    QCOMPARE(w->devicePixelRatio(), 2.0);
    test::ModalCloser closer;
    w.Action("N2")->trigger();
    // Sizes and places in logical pixels are those of a 100 % screen.
    QCOMPARE(w.Pole()->size(), QSize(373, 373));
    QCOMPARE(w.Find("Content")->size(), QSize(481, 373 + 112));
    QCOMPARE(w->width(), 481);
    w.Click(Node{10, 10});
    QCOMPARE(w->Game().Board().At(10, 10), engine::csOwn);
    const Node answer = w->Game().Moves().back().Dot;
    QCOMPARE(w.Find("Shape1")->pos(), w.Pole()->pos() + render::MarkerPosition(answer, 10, 10));

    // What the field shows is the picture at twice the density: the dot's
    // fill at its centre, its outline a thin ring, the grid one logical
    // pixel wide.
    const QImage shown = w.Pole()->grab().toImage();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QCOMPARE(shown.size(), QSize(746, 746));
    const QRgb own = render::ToRgb(w->CurrentSettings().Colors.OwnColor) & 0xFFFFFF;
    QCOMPARE(shown.pixel(241, 241) & 0xFFFFFF, own);
    const auto black = [&](int x, int y) {
      const QRgb rgb = shown.pixel(x, y);
      return qRed(rgb) < 90 && qGreen(rgb) < 90 && qBlue(rgb) < 90;  // the outline, not the blue grid
    };
    int ring = 0;
    for (int x = 241; x < 241 + 10; ++x) ring += black(x, 241) ? 1 : 0;
    QVERIFY(ring >= 1 && ring <= 3);  // the edge is two device pixels, give or take smoothing
    QVERIFY(!black(241 + 6, 241 + 6));  // no square corner
    // The exact picture is kept at one pixel per pixel for everything else.
    QCOMPARE(w->Field().Picture().Image().size(), QSize(render::FieldPictureWidth, render::FieldPictureHeight));
    QCOMPARE(w->Field().Picture().Image().pixel(120, 120) & 0xFFFFFF, own);
  }

  // The previous move's picture and the legend icons are at the density too.
  void snapshotAndIconsAreAtTheScreensDensity() {
    GameWindow w;
    w.Open();
    test::ModalCloser closer;
    w.Action("N2")->trigger();
    w.Click(Node{5, 5});
    const auto* icon = w.Find<QLabel>("Image3");
    QCOMPARE(icon->pixmap().devicePixelRatio(), 2.0);
    QCOMPARE(icon->pixmap().size(), QSize(50, 50));
    w.Find<QToolButton>("BitBtn3")->click();
    const auto* image = w.window->findChild<QDialog*>(QStringLiteral("TForm3"))->findChild<QLabel*>(QStringLiteral("Image1"));
    QCOMPARE(image->pixmap().devicePixelRatio(), 2.0);
    QCOMPARE(image->pixmap().size(), w.Pole()->size() * 2);
  }
};

}  // namespace solvar::game

int main(int argc, char* argv[]) {
  // A 1600 x 1200 screen at 200 %: 800 x 600 logical pixels, room for the
  // default field at 100 %.
  solvar::test::UseOffscreenScreen(1600, 1200);
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  solvar::game::HiDpiWindowTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "hidpi_window_test.moc"
