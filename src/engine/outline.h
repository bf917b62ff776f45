#pragma once
// The vertex order of an enclosure's outline, built from the ring of
// capturing dots that a capture's fill met.

#include <vector>

#include "engine/board.h"
#include "engine/cell_list.h"

namespace solvar::engine {

// Keeps the boundary cells with at most two region neighbours (a capturing
// dot with region cells on all four sides stands alone inside and is left
// out), head first, then chains them so that each vertex is followed by one
// of its eight neighbours where a later one exists.
std::vector<Node> BuildOutline(const CellList& boundaryList);

}  // namespace solvar::engine
