#pragma once
// Geometry of the private working copies of the Board used by the capture
// scan and the threat evaluation: one cell per Board cell plus a margin all
// round, so that a fill that leaves the field (a frame broken by a set-up
// position) meets a wall of frame cells instead of memory it does not own.

#include "engine/board.h"

namespace solvar::engine {

inline constexpr int MapRows = BoardRows + 2;
inline constexpr int MapColumns = BoardColumns + 2;
inline constexpr int MapSize = MapRows * MapColumns;

constexpr int MapIndex(int x, int y) { return (x + 1) * MapRows + (y + 1); }
constexpr int MapX(int index) { return index / MapRows - 1; }
constexpr int MapY(int index) { return index % MapRows - 1; }

// The four orthogonal neighbours in the order every fill visits them:
// (x - 1, y), (x, y - 1), (x, y + 1), (x + 1, y).
inline constexpr int NeighbourOffsets[4] = {-MapRows, -1, +1, +MapRows};

}  // namespace solvar::engine
