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

// The ring of capturing dots round a captured region, in order: each dot
// next to the region followed by the next one along the region's edge, so
// that the polygon through them covers the region and nothing outside it.
// Traced clockwise from the cell left of the region's first cell.
std::vector<Node> TraceRing(const CellList& region);

// The outline painted over a capture: BuildOutline's chain wherever it walks
// round the region (every small and regular ring), otherwise the traced ring
// (the chain can cross itself on long or winding rings, and the even-odd
// fill would then miss parts of the region and cover ground outside it).
std::vector<Node> CaptureOutline(const CellList& boundaryList, const CellList& region);

// The cells of the field strictly inside the polygon through the ring (its
// own cells left out), in scan order: the region a recorded enclosure takes.
CellList CellsInsideRing(const std::vector<Node>& ring, const Board& board);

// Whether no two edges of the closed polygon cross, overlap or run through
// a vertex of another; two edges may share an end point (a ring that passes
// one dot twice only touches itself there).
bool IsSimplePolygon(const std::vector<Node>& vertices);

}  // namespace solvar::engine
