#include "render/field_painter.h"

#include <cmath>

namespace solvar::render {

namespace {

struct DotBox {
  int Left, Top, Right, Bottom;
};

DotBox DotBoxAt(engine::Node node) {
  const double cx = node.X * CellSize;
  const double cy = node.Y * CellSize;
  return DotBox{RoundEven(cx - DotRadius), RoundEven(cy - DotRadius), RoundEven(cx + DotRadius),
                RoundEven(cy + DotRadius)};
}

void PaintDot(FieldCanvas& canvas, engine::Node node, Color color) {
  canvas.SetPen(DotOutline);
  canvas.SetBrush(color);
  const DotBox box = DotBoxAt(node);
  canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
}

void PaintStroke(FieldCanvas& canvas, engine::Node node) {
  const DotBox box = DotBoxAt(node);
  canvas.Line(box.Left, box.Top, box.Right, box.Bottom);
}

// Repaints the two grid strokes through a node after its preview is erased.
void RepairGrid(FieldCanvas& canvas, engine::Node node) {
  const int px = node.X * CellSize;
  const int py = node.Y * CellSize;
  canvas.Line(RoundEven((node.X - 0.4) * CellSize), py, RoundEven((node.X + 0.4) * CellSize), py);
  canvas.Line(px, RoundEven((node.Y - 0.4) * CellSize), px, RoundEven((node.Y + 0.4) * CellSize));
}

}  // namespace

int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

void DrawGrid(FieldCanvas& canvas, const FieldColors& colors, int fieldWidth, int fieldHeight) {
  canvas.SetBrush(colors.BackColor);
  canvas.SetPen(colors.GridColor);
  const int right = CellSize * fieldWidth;
  const int bottom = CellSize * fieldHeight;
  canvas.Rectangle(-2, -2, right + 2, bottom + 2);
  for (int x = 0; x <= fieldWidth; ++x) canvas.Line(x * CellSize, 0, x * CellSize, bottom);
  for (int y = 0; y <= fieldHeight; ++y) canvas.Line(0, y * CellSize, right, y * CellSize);
}

void DrawDot(FieldCanvas& canvas, const FieldColors& colors, engine::Node node, bool own) {
  PaintDot(canvas, node, own ? colors.OwnColor : colors.RivalColor);
}

void DrawAllDots(FieldCanvas& canvas, const FieldColors& colors, const engine::Board& board) {
  for (int x = 0; x <= board.FieldWidth(); ++x) {
    for (int y = 0; y <= board.FieldHeight(); ++y) {
      const engine::Node node{x, y};
      switch (board.At(x, y)) {
        case engine::csOwn: PaintDot(canvas, node, colors.OwnColor); break;
        case engine::csRival: PaintDot(canvas, node, colors.RivalColor); break;
        case engine::csRivalCaptured:
          PaintDot(canvas, node, colors.RivalColor);
          PaintStroke(canvas, node);
          break;
        case engine::csOwnCaptured:
          PaintDot(canvas, node, colors.OwnColor);
          PaintStroke(canvas, node);
          break;
        default: break;
      }
    }
  }
}

void DrawOutline(FieldCanvas& canvas, const FieldColors& colors, const std::vector<engine::Node>& vertices,
                 engine::Side side) {
  const Color color = colors.SideColor(side);
  canvas.SetBrush(color);
  canvas.SetPen(color);
  std::vector<QPoint> points;
  points.reserve(vertices.size());
  for (const engine::Node v : vertices) points.emplace_back(v.X * CellSize, v.Y * CellSize);
  canvas.Polygon(points);
}

void DrawLegendIcon(FieldCanvas& icon, Color fill, Color circle, Color pen) {
  const int w = icon.Width();
  const int h = icon.Height();
  icon.SetPen(pen);
  icon.SetBrush(fill);
  icon.Rectangle(-1, -1, w + 1, h + 1);
  icon.SetBrush(circle);
  icon.Ellipse(5, 5, w - 5, h - 5);
  icon.MoveTo(5, 5);
  if (fill != circle) icon.LineTo(w - 5, h - 5);
}

engine::Node NodeUnderMouse(const engine::Board& board, int mouseX, int mouseY, double zoom) {
  const int rx = RoundEven(static_cast<double>(mouseX) / (CellSize * zoom));
  const int ry = RoundEven(static_cast<double>(mouseY) / (CellSize * zoom));
  if (rx < 0 || ry < 0 || rx > board.FieldWidth() || ry > board.FieldHeight() ||
      board.At(rx, ry) != engine::csFree) {
    return engine::Node{-1, ry};
  }
  return engine::Node{rx, ry};
}

void MovePreview(FieldCanvas& canvas, const FieldColors& colors, const engine::Board& board, engine::Node from,
                 engine::Node to, engine::Side mover) {
  if (from.X != -1 && engine::Board::Holds(from.X, from.Y) && board.At(from) == engine::csFree) {
    canvas.SetPen(colors.BackColor);
    canvas.SetBrush(colors.BackColor);
    const DotBox box = DotBoxAt(from);
    canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    canvas.SetPen(colors.GridColor);
    RepairGrid(canvas, from);
  }
  if (to.X != -1) DrawDot(canvas, colors, to, mover == engine::Side::Own);
}

QPoint MarkerPosition(engine::Node node, int markerWidth, int markerHeight, double zoom) {
  return QPoint(RoundEven(zoom * CellSize * node.X - markerWidth / 2.0),
                RoundEven(zoom * CellSize * node.Y - markerHeight / 2.0));
}

}  // namespace solvar::render
