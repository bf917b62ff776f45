#include "ai/tactics.h"

#include <algorithm>

namespace solvar::ai {

using engine::Side;

void FindOneMoveTactics(PlayoutBoard& board, Side mover, Tactics& tactics, Closers* closers) {
  const Side other = engine::Opponent(mover);
  if (closers != nullptr) {
    for (auto& list : *closers) list.clear();
  }
  for (int i = 0; i < board.FreeCount(); ++i) {
    const int cell = board.FreeCell(i);
    for (const Side side : {mover, other}) {
      const int value = board.CaptureValue(cell, side);
      if (value <= 0) continue;
      (side == mover ? tactics.Captures : tactics.Blocks).push_back(Tactic{cell, value});
      if (closers != nullptr) (*closers)[SideIndex(side)].push_back(static_cast<std::int16_t>(cell));
    }
  }
}

namespace {

// The nodes a second dot of the side might close a ring at, after its dot
// at `first`: next to it, or anywhere when the dot joined two pieces of wall.
void SecondDots(const PlayoutBoard& after, int first, bool joinedPieces, std::vector<int>& seconds) {
  seconds.clear();
  if (joinedPieces) {
    for (int i = 0; i < after.FreeCount(); ++i) seconds.push_back(after.FreeCell(i));
    return;
  }
  const int s = after.Stride();
  for (const int next : {first - s - 1, first - s, first - s + 1, first - 1, first + 1, first + s - 1, first + s, first + s + 1}) {
    if (after.IsFree(next)) seconds.push_back(next);
  }
}

}  // namespace

void FindTwoMoveThreats(const PlayoutBoard& board, Side mover, PlayoutBoard& scratch, Tactics& tactics) {
  const Side other = engine::Opponent(mover);
  const std::size_t size = static_cast<std::size_t>(board.Stride() * (board.Height() + 1));
  std::vector<int> oneMove(size, 0);
  for (const Tactic& block : tactics.Blocks) oneMove[static_cast<std::size_t>(block.Cell)] = block.Value;
  std::vector<int> spoils(size, 0);
  std::vector<int> seconds;
  scratch.CopyPosition(board);
  for (int i = 0; i < board.FreeCount(); ++i) {
    const int first = board.FreeCell(i);
    if (oneMove[static_cast<std::size_t>(first)] > 0 || board.InRingOf(first, mover)) continue;
    const int pieces = scratch.PiecesAround(first, other);
    if (pieces == 0) continue;
    scratch.CopyPosition(board);
    if (scratch.Play(first, other) > 0) continue;
    SecondDots(scratch, first, pieces >= 2, seconds);
    int best = 0;
    int next = 0;  // the second largest: what is lost when the dot makes two
    int bestCell = -1;
    for (const int second : seconds) {
      const int value = scratch.CaptureValue(second, other);
      if (value <= oneMove[static_cast<std::size_t>(second)]) continue;
      if (value > best) {
        next = best;
        best = value;
        bestCell = second;
      } else {
        next = std::max(next, value);
      }
    }
    scratch.CopyPosition(board);
    if (bestCell < 0) continue;
    for (const int cell : {first, bestCell}) {
      spoils[static_cast<std::size_t>(cell)] = std::max(spoils[static_cast<std::size_t>(cell)], best);
    }
    if (next > 0) tactics.Forks.push_back(Tactic{first, next});
  }
  for (int i = 0; i < board.FreeCount(); ++i) {
    const int cell = board.FreeCell(i);
    if (spoils[static_cast<std::size_t>(cell)] > 0) tactics.TwoMoveBlocks.push_back(Tactic{cell, spoils[static_cast<std::size_t>(cell)]});
  }
}

}  // namespace solvar::ai
