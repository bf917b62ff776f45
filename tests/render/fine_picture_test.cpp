// The field picture at a screen density above one: round dots, nothing left
// where a shape was erased or painted again, and the exact picture kept as
// it is.

#include <QtTest>

#include <cmath>

#include "render/field_painter.h"

namespace solvar::render {

using engine::Node;

namespace {

// The outline's black, not the blue grid through the dot.
bool Dark(QRgb rgb) { return qRed(rgb) < 90 && qGreen(rgb) < 90 && qBlue(rgb) < 90; }

// The spread of the distances from the node's centre of the dark pixels
// (the outline) inside the dot's box, in device pixels.
double OutlineSpread(const QImage& shown, Node node) {
  const double ratio = shown.devicePixelRatio();
  const QPointF centre(ratio * (node.X * CellSize + 0.5), ratio * (node.Y * CellSize + 0.5));
  const int reach = static_cast<int>(std::ceil(ratio * (DotRadius + 1)));
  double nearest = 1e9;
  double farthest = 0;
  for (int y = static_cast<int>(centre.y()) - reach; y <= static_cast<int>(centre.y()) + reach; ++y)
    for (int x = static_cast<int>(centre.x()) - reach; x <= static_cast<int>(centre.x()) + reach; ++x) {
      if (!Dark(shown.pixel(x, y))) continue;
      const double distance = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
      nearest = std::min(nearest, distance);
      farthest = std::max(farthest, distance);
    }
  return farthest - nearest;
}

}  // namespace

class FinePictureTest : public QObject {
  Q_OBJECT

 private:
  FieldColors colors;

 private Q_SLOTS:
  // At twice the density a dot is a ring of even width (a square's corners
  // would lie 40 % farther out than its sides); at one the picture shown is
  // the exact one.
  void dotsAreRoundAtTheScreensDensity() {
    for (const double ratio : {1.25, 1.5, 2.0}) {
      FieldCanvas canvas(120, 120, ratio);
      DrawGrid(canvas, colors, 9, 9);
      DrawDot(canvas, colors, Node{5, 5}, true);
      const QImage& shown = canvas.Shown();
      QCOMPARE(shown.devicePixelRatio(), ratio);
      QCOMPARE(shown.width(), static_cast<int>(std::ceil(120 * ratio)));
      QVERIFY2(OutlineSpread(shown, Node{5, 5}) < 1.6 * ratio + 1.0, qPrintable(QString::number(ratio)));
      // Its fill shows at the centre, and the corners of its box are grid or
      // background, not outline.
      const QPointF centre(ratio * 60.5, ratio * 60.5);
      QCOMPARE(shown.pixel(centre.toPoint()) & 0xFFFFFF, ToRgb(colors.OwnColor) & 0xFFFFFF);
      const int corner = static_cast<int>(ratio * (DotRadius - 0.3));
      QVERIFY(!Dark(shown.pixel(centre.toPoint() + QPoint(corner, corner))));
    }
    FieldCanvas exact(120, 120);
    DrawDot(exact, colors, Node{5, 5}, true);
    QCOMPARE(&exact.Shown(), &exact.Image());
    // The measure tells: the exact dot blown up to twice its size fails it.
    QImage blownUp = exact.Image().scaled(240, 240);
    blownUp.setDevicePixelRatio(2.0);
    QVERIFY(OutlineSpread(blownUp, Node{5, 5}) >= 1.6 * 2.0 + 1.0);
  }

  // A preview dot moved on leaves the node as it was, and painting every
  // dot again changes nothing: no halo, no edge growing darker.
  void erasingAndRepaintingLeaveNothingBehind() {
    engine::Board board;
    QVERIFY(board.SetFieldSize(9, 9));
    engine::FrameBoard(board);
    FieldCanvas canvas(120, 120, 2.0);
    DrawGrid(canvas, colors, 9, 9);
    const QImage grid = canvas.Shown().copy();
    MovePreview(canvas, colors, board, Node{-1, 0}, Node{4, 4});
    QVERIFY(canvas.Shown() != grid);
    MovePreview(canvas, colors, board, Node{4, 4}, Node{-1, 0});
    QCOMPARE(canvas.Shown(), grid);

    board.Set(4, 4, engine::csOwn);
    board.Set(5, 4, engine::csRival);
    board.Set(6, 4, engine::csRivalCaptured);
    DrawOutline(canvas, colors, {Node{5, 3}, Node{6, 4}, Node{5, 5}, Node{4, 4}}, engine::Side::Own);
    DrawAllDots(canvas, colors, board);
    const QImage once = canvas.Shown().copy();
    for (int i = 0; i < 5; ++i) DrawAllDots(canvas, colors, board);
    QCOMPARE(canvas.Shown(), once);
  }

  // A copy keeps both pictures; putting it back gives them back.
  void aCopyPutBackRestoresThePictureShown() {
    FieldCanvas canvas(120, 120, 2.0);
    DrawGrid(canvas, colors, 9, 9);
    const FieldCanvas before = canvas;
    DrawDot(canvas, colors, Node{3, 3}, false);
    QVERIFY(canvas.Shown() != before.Shown());
    canvas.Restore(before);
    QCOMPARE(canvas.Shown(), before.Shown());
    QCOMPARE(canvas.Image(), before.Image());
  }

  // A snapshot kept at every move (copied into the memory it has) stays a
  // picture of its own: what is drawn on either afterwards does not show on
  // the other, at a zoom and at one pixel per pixel.
  void aSnapshotKeptAgainStaysItsOwnPicture() {
    for (const double zoom : {1.0, 3.0}) {
      FieldCanvas canvas(120, 120, 1.0, zoom);
      DrawGrid(canvas, colors, 9, 9);
      FieldCanvas snapshot = canvas;
      for (int move = 1; move <= 3; ++move) {
        snapshot = canvas;
        const QImage kept = snapshot.Shown().copy();
        const QImage keptExact = snapshot.Image().copy();
        DrawDot(canvas, colors, Node{move, move}, true);
        QVERIFY(canvas.Shown() != kept);
        QCOMPARE(snapshot.Shown(), kept);
        QCOMPARE(snapshot.Image(), keptExact);
        DrawDot(snapshot, colors, Node{7, move}, false);
        QCOMPARE(canvas.PixelAt(7 * CellSize, move * CellSize), keptExact.pixel(7 * CellSize, move * CellSize));
      }
      canvas.Restore(snapshot);
      QCOMPARE(canvas.Shown(), snapshot.Shown());
      QCOMPARE(canvas.Image(), snapshot.Image());
    }
  }
};

}  // namespace solvar::render

QTEST_MAIN(solvar::render::FinePictureTest)
#include "fine_picture_test.moc"
