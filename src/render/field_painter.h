#pragma once
// Everything painted onto the field picture: the grid, the dots, captured
// dots crossed out, the filled outline of a capture, the preview of the node
// under the mouse, and the legend icons of the score panel.

#include <vector>

#include <QPoint>

#include "engine/board.h"
#include "render/field_canvas.h"

namespace solvar::render {

struct FieldColors {
  Color BackColor = 0xFFFFFF;   // white
  Color GridColor = 0xFF0000;   // blue
  Color OwnColor = 0xC0C0C0;    // silver: side 1's dots
  Color RivalColor = 0x0000FF;  // red: side 2's dots and the last-move marker
  Color SideColor(engine::Side side) const { return side == engine::Side::Own ? OwnColor : RivalColor; }
};

inline constexpr int CellSize = 12;
inline constexpr double DotRadius = CellSize / 4.0;
inline constexpr Color DotOutline = 0x000000;
inline constexpr int FieldPictureWidth = 553;
inline constexpr int FieldPictureHeight = 432;

// Rounds to the nearest integer, halves to the even neighbour.
int RoundEven(double value);

void DrawGrid(FieldCanvas& canvas, const FieldColors& colors, int fieldWidth, int fieldHeight);
void DrawDot(FieldCanvas& canvas, const FieldColors& colors, engine::Node node, bool own);
void DrawAllDots(FieldCanvas& canvas, const FieldColors& colors, const engine::Board& board);
// The polygon through the vertices, scaled to pixels, in the side's colour.
void DrawOutline(FieldCanvas& canvas, const FieldColors& colors, const std::vector<engine::Node>& vertices,
                 engine::Side side);
void DrawLegendIcon(FieldCanvas& icon, Color fill, Color circle, Color pen);

// The node under the mouse: the nearest node (halves to the even neighbour)
// when it lies within the field and is free; x = -1 otherwise. The bounds
// are tested before the Board is read.
engine::Node NodeUnderMouse(const engine::Board& board, int mouseX, int mouseY, double zoom = 1.0);
// Moves the preview dot: erases the one at `from` while its node is still
// free (a node just played keeps its dot), repairing the two grid strokes
// through it, and paints one at `to` unless x is -1, in the colour of the
// side to move (side 1 but in a game of two people at one window).
void MovePreview(FieldCanvas& canvas, const FieldColors& colors, const engine::Board& board, engine::Node from,
                 engine::Node to, engine::Side mover = engine::Side::Own);

// Top-left corner of a marker of the given size centred on the node.
QPoint MarkerPosition(engine::Node node, int markerWidth, int markerHeight, double zoom = 1.0);

}  // namespace solvar::render
