#include "ai/time_plan.h"

#include <algorithm>

namespace solvar::ai {

namespace {

// What a move costs beyond its search (the position read, the tactics found,
// the answer passed on), kept aside on every move.
constexpr int ReserveMs = 400;
constexpr int LeastMs = 20;
// The moves counted on: the side's share of the free nodes and a few more,
// so that the main time lasts to the last of them.
constexpr int LeastMovesLeft = 12;
constexpr int SpareMoves = 10;

}  // namespace

MoveTime PlanMoveTime(int leftMs, int moveMs, bool freeWithinMove, int freeNodes) {
  const int movesLeft = std::max(LeastMovesLeft, freeNodes / 2 + SpareMoves);
  const int usable = std::max(0, leftMs - ReserveMs);
  int plan = usable / movesLeft + moveMs * 4 / 5;
  // Free seconds are spent before the main time: a move may use most of
  // them whatever is left of the main time.
  const int ceiling = (freeWithinMove ? moveMs * 4 / 5 : 0) + usable / 4;
  plan = std::max(LeastMs, std::min(plan, ceiling));
  return MoveTime{plan, std::max(plan, std::min(2 * plan, ceiling))};
}

}  // namespace solvar::ai
