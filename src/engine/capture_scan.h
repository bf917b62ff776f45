#pragma once
// The capture scan: after a move, every region that a side's territory cuts
// off from the frame is taken by that side.

#include <vector>

#include "engine/board.h"
#include "engine/cell_list.h"

namespace solvar::engine {

// One applied capture, as the window paints it.
struct Outline {
  Side Capturer = Side::Own;
  int DotsInside = 0;          // dots of either side inside the region
  std::vector<Node> Vertices;  // polygon through the ring, in painting order
};

// Told of each capture right after the Board has changed, in scan order: the
// window paints the outline and the dots over it, the game says its remark.
class CaptureObserver {
 public:
  virtual ~CaptureObserver() = default;
  virtual void OnCapture(const Outline& outline) = 0;
};

// Captures every enclosed region for the side, in the order in which the scan
// (columns outer, rows inner) meets their first cells. Returns the number of
// regions captured.
int ScanCaptures(Board& board, Side side, CaptureObserver& observer);
// The same, for a caller that wants only the Board changes.
int ScanCaptures(Board& board, Side side);
// The scan of the whole field by the rules: under the sport rules only the
// enclosed regions that hold a live dot of the other side are taken.
int ScanCaptures(Board& board, Side side, CaptureObserver* observer, Rules rules);

// What a dot takes, by the rules, once it is on the Board. Classic: the
// mover's scan, then the other side's. Sport: the regions the dot closes
// (those next to it) that hold a live dot of the other side; if it took
// none, the other side's ring it was played into, if any, takes it (with
// whatever else that region holds). Returns the regions captured.
int CaptureAfterMove(Board& board, Side mover, Node dot, CaptureObserver* observer, Rules rules);

// Rewrites the Board codes of one captured region for the capturing side.
void ApplyCapture(Board& board, const CellList& region, Side side);

}  // namespace solvar::engine
