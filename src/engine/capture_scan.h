#pragma once
// The capture scan: after a move, every region that a side's territory cuts
// off from the frame is taken by that side.

#include <string_view>
#include <vector>

#include "engine/board.h"
#include "engine/cell_list.h"
#include "engine/random.h"

namespace solvar::engine {

// One applied capture, as the window paints it.
struct Outline {
  Side side = Side::Own;
  int dotsInside = 0;          // dots of either side inside the region
  std::vector<Node> vertices;  // polygon through the ring, in painting order
};

// What a capture does besides the Board: the outline painting, the repaint
// of every dot over it, and a line in the game log. Each hook does nothing
// unless a caller wants it.
class CaptureObserver {
 public:
  virtual ~CaptureObserver() = default;
  virtual void OnOutline(const Outline& outline) { (void)outline; }
  virtual void OnRepaintDots() {}
  virtual void OnLogLine(std::string_view utf8Line) { (void)utf8Line; }
};

struct ScanContext {
  CaptureObserver& observer;
  Random& random;
  bool networkGame = false;  // no remark is ever said in a network game
};

// Captures every enclosed region for the side, in the order in which the scan
// (columns outer, rows inner) meets their first cells. Returns the number of
// regions captured.
int ScanCaptures(Board& board, Side side, const ScanContext& context);

// Rewrites the Board codes of one captured region for the capturing side.
void ApplyCapture(Board& board, const CellList& region, Side side);

}  // namespace solvar::engine
