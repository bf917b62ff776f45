#pragma once
// How long a computer thinks on a move under a clock: its main time shared
// out over the moves it has left to make (its half of the free nodes, and a
// few more), plus most of the seconds each move brings (added after it,
// or free within it), and never so much that the clock could run out: a
// reserve for the move's own work is kept, and no move takes more than a
// quarter of what is left.

namespace solvar::ai {

// The time for a move, and how far it may run on while the search has not
// settled on its node (a sharp position).
struct MoveTime {
  int UsualMs = 0;
  int MostMs = 0;
};

// `leftMs`: the main time left; `moveMs`: the seconds each move brings;
// `freeWithinMove`: whether they are free within the move (else added after
// it); `freeNodes`: the free nodes of the field.
MoveTime PlanMoveTime(int leftMs, int moveMs, bool freeWithinMove, int freeNodes);

}  // namespace solvar::ai
