#include <QtTest>

#include "render/field_painter.h"

namespace solvar::render {

using engine::Node;

class FieldPainterTest : public QObject {
  Q_OBJECT

 private:
  FieldColors colors;

  static QRgb Px(const FieldCanvas& c, int x, int y) { return c.PixelAt(x, y) & 0xFFFFFF; }
  // The mouse moves to (x, y): the node under it becomes the selection and
  // the preview follows; x = -1 when nothing is selected.
  void Follow(FieldCanvas& canvas, const engine::Board& board, Node& selected, int x, int y) const {
    const Node under = NodeUnderMouse(board, x, y);
    MovePreview(canvas, colors, board, selected, under);
    selected.X = under.X;
    if (under.X != -1) selected = under;
  }
  static QRgb Rgb(Color color) { return ToRgb(color) & 0xFFFFFF; }

 private Q_SLOTS:
  void dotIsOutlinedInBlackInsideItsBox() {
    FieldCanvas canvas(120, 120);
    DrawDot(canvas, colors, Node{5, 5}, true);
    QCOMPARE(Px(canvas, 60, 60), Rgb(colors.OwnColor));
    QCOMPARE(Px(canvas, 57, 60), Rgb(0x000000));  // left edge of the box
    QCOMPARE(Px(canvas, 62, 60), Rgb(0x000000));  // last column inside the box
    QCOMPARE(Px(canvas, 63, 60), Rgb(0xFFFFFF));  // the right column stays unpainted
    QCOMPARE(Px(canvas, 60, 63), Rgb(0xFFFFFF));
    QCOMPARE(Px(canvas, 57, 57), Rgb(0xFFFFFF));  // a round dot leaves its corners
  }

  void capturedDotIsCrossedFromTopLeftToBottomRight() {
    FieldCanvas canvas(120, 120);
    engine::Board board;
    board.SetFieldSize(9, 9);
    board.Set(5, 5, engine::csOwnCaptured);
    board.Set(7, 7, engine::csRivalCaptured);
    DrawAllDots(canvas, colors, board);
    for (int k = 0; k < 6; ++k) QCOMPARE(Px(canvas, 57 + k, 57 + k), Rgb(0x000000));
    QCOMPARE(Px(canvas, 63, 63), Rgb(0xFFFFFF));
    QCOMPARE(Px(canvas, 61, 59), Rgb(colors.OwnColor));
    QCOMPARE(Px(canvas, 85, 83), Rgb(colors.RivalColor));
  }

  void previewIsErasedAndTheGridRepaired() {
    FieldCanvas canvas(400, 400);
    engine::Board board;
    engine::FrameBoard(board);
    DrawGrid(canvas, colors, 31, 31);
    Node selected{0, 0};
    Follow(canvas, board, selected, 61, 59);
    QCOMPARE(selected, (Node{5, 5}));
    QCOMPARE(Px(canvas, 61, 61), Rgb(colors.OwnColor));
    Follow(canvas, board, selected, 72, 60);
    QCOMPARE(selected, (Node{6, 5}));
    for (int x = 55; x < 65; ++x) QCOMPARE(Px(canvas, x, 60), Rgb(colors.GridColor));
    for (int y = 55; y < 65; ++y) QCOMPARE(Px(canvas, 60, y), Rgb(colors.GridColor));
    QCOMPARE(Px(canvas, 58, 58), Rgb(colors.BackColor));
    QCOMPARE(Px(canvas, 72, 72 - 12), Rgb(colors.OwnColor));
  }

  void playedPreviewStaysAndFrameOrTakenNodesSelectNothing() {
    FieldCanvas canvas(400, 400);
    engine::Board board;
    engine::FrameBoard(board);
    Node selected{0, 0};
    Follow(canvas, board, selected, 60, 60);
    board.Set(5, 5, engine::csOwn);
    Follow(canvas, board, selected, 60, 61);
    QCOMPARE(selected.X, -1);
    QCOMPARE(Px(canvas, 60, 60), Rgb(colors.OwnColor));
    QCOMPARE(NodeUnderMouse(board, 6, 100).X, -1);  // column 0 is the frame
    QCOMPARE(NodeUnderMouse(board, 18, 30), (Node{2, 2}));  // 1.5 and 2.5 both round to 2
    QCOMPARE(NodeUnderMouse(board, 12 * 31 + 7, 30).X, -1);  // right of the field
  }

  void outlineOfTheDiamondIsFilledInTheCapturersColour() {
    FieldCanvas canvas(120, 120);
    DrawOutline(canvas, colors, {{6, 5}, {5, 4}, {4, 5}, {5, 6}}, engine::Side::Rival);
    QCOMPARE(Px(canvas, 60, 60), Rgb(colors.RivalColor));
    QCOMPARE(Px(canvas, 60, 50), Rgb(colors.RivalColor));
    QCOMPARE(Px(canvas, 71, 60), Rgb(colors.RivalColor));
    QCOMPARE(Px(canvas, 50, 50), Rgb(0xFFFFFF));
    QCOMPARE(Px(canvas, 75, 60), Rgb(0xFFFFFF));
  }

  void legendIconIsStruckOnlyWhenCircleDiffersFromFill() {
    FieldCanvas icon(25, 25);
    DrawLegendIcon(icon, colors.BackColor, colors.RivalColor, colors.GridColor);
    QCOMPARE(Px(icon, 0, 24), Rgb(colors.BackColor));
    QCOMPARE(Px(icon, 12, 12), Rgb(colors.GridColor));  // on the diagonal
    QCOMPARE(Px(icon, 14, 10), Rgb(colors.RivalColor));
    FieldCanvas free(25, 25);
    DrawLegendIcon(free, colors.BackColor, colors.BackColor, colors.GridColor);
    QCOMPARE(Px(free, 12, 12), Rgb(colors.BackColor));
    QCOMPARE(Px(free, 5, 12), Rgb(colors.GridColor));  // the circle's outline
  }

  void markerIsCentredOnTheNode() {
    QCOMPARE(MarkerPosition(Node{4, 5}, 10, 10), QPoint(43, 55));
    QCOMPARE(RoundEven(2.5), 2);
    QCOMPARE(RoundEven(3.5), 4);
  }
};

}  // namespace solvar::render

QTEST_MAIN(solvar::render::FieldPainterTest)
#include "field_painter_test.moc"
