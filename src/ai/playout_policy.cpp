#include "ai/playout_policy.h"

#include <algorithm>
#include <array>
#include <utility>

namespace solvar::ai {

using engine::Side;

namespace {

// In this share of the moves where something can be taken or saved, it is;
// the rest stay random, so that the games still try what a player might.
constexpr int TacticalPercent = 90;

}  // namespace

// A dot with none of its side's walls round it closes no new ring next to
// it: any ring there was closable before.
void PlayoutPolicy::Played(PlayoutBoard& board, int cell, Side mover) {
  if (!board.TouchesWall(cell, mover)) return;
  std::vector<std::int16_t>& list = m_closers[SideIndex(mover)];
  const int s = board.Stride();
  const int root = board.FindRoot(cell, mover);
  // Each neighbour, and where the dot lies in that neighbour's ring (N, NE,
  // E, SE, S, SW, W, NW).
  const std::array<std::pair<int, int>, 8> around = {{{cell + s, 0}, {cell + s - 1, 1}, {cell - 1, 2}, {cell - s - 1, 3},
                                                      {cell - s, 4}, {cell - s + 1, 5}, {cell + 1, 6}, {cell + s + 1, 7}}};
  for (const auto& [next, place] : around) {
    if (!board.IsFree(next) || !board.MayCloseBeside(next, mover, place, root)) continue;
    if (std::find(list.begin(), list.end(), next) == list.end()) list.push_back(static_cast<std::int16_t>(next));
  }
}

// The watched nodes of `closer` that take something now become options for
// the side to move (a capture of its own, or a save); the others are
// forgotten (filling a ring that holds nothing again and again would cost
// more than it tells, and a dot next to one brings it back).
void PlayoutPolicy::Gather(PlayoutBoard& board, Side closer, Side toMove) {
  std::vector<std::int16_t>& list = m_closers[SideIndex(closer)];
  for (std::size_t i = 0; i < list.size();) {
    const int cell = list[i];
    const int value = board.IsFree(cell) ? board.CaptureValue(cell, closer) : 0;
    if (value <= 0) {
      list[i] = list.back();
      list.pop_back();
      continue;
    }
    ++i;
    // A save inside the other side's ring is taken at once: no save.
    if (closer != toMove && board.InRingOf(cell, closer)) continue;
    m_options.push_back(Tactic{cell, value});
    m_total += value;
  }
}

int PlayoutPolicy::Choose(PlayoutBoard& board, Side toMove, FastRandom& random) {
  m_options.clear();
  m_total = 0;
  Gather(board, toMove, toMove);
  Gather(board, engine::Opponent(toMove), toMove);
  if (m_total > 0 && random.Below(100) < TacticalPercent) {
    int pick = random.Below(m_total);
    for (const Tactic& option : m_options) {
      pick -= option.Value;
      if (pick < 0) return option.Cell;
    }
  }
  return RandomNode(board, toMove, random);
}

// A random free node outside every ring where the side's dot is not taken
// by the other side's next dot; else one inside the side's own ring; else
// whatever is left.
int PlayoutPolicy::RandomNode(const PlayoutBoard& board, Side toMove, FastRandom& random) {
  const int count = board.FreeCount();
  for (int tries = 0; tries < 4; ++tries) {
    const int cell = board.FreeCell(random.Below(count));
    if (!board.InAnyRing(cell) && !board.IsTrap(cell, toMove)) return cell;
  }
  const int start = random.Below(count);
  int trap = -1;
  int ownRing = -1;
  for (int k = 0; k < count; ++k) {
    const int cell = board.FreeCell((start + k) % count);
    if (!board.InAnyRing(cell)) {
      if (!board.IsTrap(cell, toMove)) return cell;
      if (trap < 0) trap = cell;
    } else if (ownRing < 0 && !board.InRingOf(cell, engine::Opponent(toMove))) {
      ownRing = cell;
    }
  }
  if (trap >= 0) return trap;
  return ownRing >= 0 ? ownRing : board.FreeCell(start);
}

}  // namespace solvar::ai
