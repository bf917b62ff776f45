// The field picture at a screen density above one: round dots, nothing left
// where a shape was erased or painted again, and the exact picture kept as
// it is.

#include <QtTest>

#include <cmath>
#include <set>
#include <vector>

#include "render/field_painter.h"

namespace solvar::render {

using engine::Node;

namespace {

// The outline's black, not the blue grid through the dot.
bool Dark(QRgb rgb) { return qRed(rgb) < 90 && qGreen(rgb) < 90 && qBlue(rgb) < 90; }

// The dark pixels (the outline, not the blue grid) round the node, in device
// pixels, and the box they fill.
struct Outline {
  std::vector<QPointF> Dark;
  QRectF Bounds;
};

Outline OutlineOf(const QImage& shown, Node node) {
  const double ratio = shown.devicePixelRatio();
  const QPointF near(ratio * (node.X * CellSize + 0.5), ratio * (node.Y * CellSize + 0.5));
  const int reach = static_cast<int>(std::ceil(ratio * (DotRadius + 1)));
  Outline outline;
  for (int y = static_cast<int>(near.y()) - reach; y <= static_cast<int>(near.y()) + reach; ++y)
    for (int x = static_cast<int>(near.x()) - reach; x <= static_cast<int>(near.x()) + reach; ++x) {
      if (!Dark(shown.pixel(x, y))) continue;
      outline.Dark.emplace_back(x + 0.5, y + 0.5);
      outline.Bounds |= QRectF(x, y, 1, 1);
    }
  return outline;
}

// How far the outline's farthest pixel lies from its centre, against how
// far it reaches along the row through the centre: about 1 for a round dot,
// about the square root of 2 for a square one.
double Squareness(const QImage& shown, Node node) {
  const Outline outline = OutlineOf(shown, node);
  const QPointF centre = outline.Bounds.center();
  double farthest = 0;
  double along = 0;
  for (const QPointF& point : outline.Dark) {
    const QPointF offset = point - centre;
    farthest = std::max(farthest, std::hypot(offset.x(), offset.y()));
    if (std::abs(offset.y()) <= 0.5) along = std::max(along, std::abs(offset.x()));
  }
  return along > 0 ? farthest / along : 99.0;
}

}  // namespace

class FinePictureTest : public QObject {
  Q_OBJECT

 private:
  FieldColors colors;

 private Q_SLOTS:
  // At twice the density a dot is a ring of even width (a square's corners
  // would lie 40 % farther out than its sides), its fill inside and the
  // corners of its box clear; at one the picture shown is the exact one.
  void dotsAreRoundAtTheScreensDensity() {
    for (const double ratio : {1.25, 1.5, 2.0}) {
      FieldCanvas canvas(120, 120, ratio);
      DrawGrid(canvas, colors, 9, 9);
      DrawDot(canvas, colors, Node{5, 5}, true);
      const QImage& shown = canvas.Shown();
      QCOMPARE(shown.devicePixelRatio(), ratio);
      QCOMPARE(shown.width(), static_cast<int>(std::ceil(120 * ratio)));
      QVERIFY2(Squareness(shown, Node{5, 5}) < 1.2, qPrintable(QString::number(ratio)));
      // Its fill shows at the centre, and the corners of its box are grid or
      // background, not outline.
      const QRectF box = OutlineOf(shown, Node{5, 5}).Bounds;
      const QPoint middle(static_cast<int>(std::floor(box.center().x())), static_cast<int>(std::floor(box.center().y())));
      QCOMPARE(shown.pixel(middle - QPoint(1, 1)) & 0xFFFFFF, ToRgb(colors.OwnColor) & 0xFFFFFF);
      for (const QPointF corner : {box.topLeft(), box.topRight() - QPointF(1, 0), box.bottomLeft() - QPointF(0, 1)}) {
        QVERIFY2(!Dark(shown.pixel(corner.toPoint())), qPrintable(QString::number(ratio)));
      }
    }
    FieldCanvas exact(120, 120);
    DrawDot(exact, colors, Node{5, 5}, true);
    QCOMPARE(&exact.Shown(), &exact.Image());
    // The measure tells: a square outline at the same density fails it.
    FieldCanvas square(120, 120, 2.0);
    square.SetPen(0x000000);
    square.SetBrush(colors.OwnColor);
    square.Rectangle(57, 57, 63, 63);
    QVERIFY(Squareness(square.Shown(), Node{5, 5}) >= 1.3);
  }

  // At a zoom that is not a whole number, and on a screen of 1.5 device
  // pixels to one, the grid is drawn on whole pixels: every pixel is the
  // background or the grid's own colour (no pale half-tone line beside a
  // line), and every line is as wide as every other.
  void gridLinesAreSolidAtEveryZoom() {
    const std::pair<double, double> densities[] = {{1.0, 1.5}, {1.0, 1.35}, {1.0, 2.45}, {1.5, 1.0}, {1.5, 2.0}};
    for (const auto& [ratio, zoom] : densities) {
      const QString what = QStringLiteral("ratio %1 zoom %2").arg(ratio).arg(zoom);
      FieldCanvas canvas(12 * 15 + 1, 12 * 15 + 1, ratio, zoom);
      DrawGrid(canvas, colors, 15, 15);
      const QImage& shown = canvas.Shown();
      std::set<int> widths;
      for (int y = 0; y < shown.height(); ++y) {
        int run = 0;
        for (int x = 0; x < shown.width(); ++x) {
          const QRgb pixel = shown.pixel(x, y) & 0xFFFFFF;
          QVERIFY2(pixel == (ToRgb(colors.BackColor) & 0xFFFFFF) || pixel == (ToRgb(colors.GridColor) & 0xFFFFFF),
                   qPrintable(what + QStringLiteral(" at %1, %2").arg(x).arg(y)));
          const bool grid = pixel == (ToRgb(colors.GridColor) & 0xFFFFFF);
          if (grid) ++run;
          if ((!grid || x + 1 == shown.width()) && run > 0) {
            if (y == shown.height() / 2 + 3) widths.insert(run);
            run = 0;
          }
        }
      }
      QVERIFY2(widths.size() == 1, qPrintable(what));
    }
    // The measure tells: the exact grid stretched by half fails it.
    FieldCanvas exact(12 * 15 + 1, 12 * 15 + 1);
    DrawGrid(exact, colors, 15, 15);
    const QImage stretched = exact.Image().scaled(exact.Width() * 3 / 2, exact.Height() * 3 / 2, Qt::IgnoreAspectRatio,
                                                  Qt::SmoothTransformation);
    bool halfTone = false;
    for (int x = 0; x < stretched.width(); ++x) {
      const QRgb pixel = stretched.pixel(x, stretched.height() / 2 + 3) & 0xFFFFFF;
      halfTone = halfTone || (pixel != (ToRgb(colors.BackColor) & 0xFFFFFF) && pixel != (ToRgb(colors.GridColor) & 0xFFFFFF));
    }
    QVERIFY(halfTone);
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
