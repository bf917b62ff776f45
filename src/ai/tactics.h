#pragma once
// What a position offers in one move, what the other side threatens in one,
// and what it could take in two: the knowledge the strong computer's tree
// and its random games start from.

#include <array>
#include <cstdint>
#include <vector>

#include "ai/playout_board.h"

namespace solvar::ai {

struct Tactic {
  int Cell = -1;
  int Value = 0;  // dots taken (or kept from being taken)
};

struct Tactics {
  std::vector<Tactic> Captures;       // the mover's dot here takes Value dots
  std::vector<Tactic> Blocks;         // the other side's dot here would take Value dots
  std::vector<Tactic> TwoMoveBlocks;  // a dot here spoils a capture the other side could make with two dots
  // The other side's dot here would make two captures possible at once, of
  // which one dot blocks only one: Value is the smaller, lost whatever is
  // blocked. A dot here first keeps both.
  std::vector<Tactic> Forks;

  void Clear() {
    Captures.clear();
    Blocks.clear();
    TwoMoveBlocks.clear();
    Forks.clear();
  }
};

// The free nodes where each side's dot would take something (indexed Own,
// Rival).
using Closers = std::array<std::vector<std::int16_t>, 2>;
constexpr std::size_t SideIndex(engine::Side side) { return side == engine::Side::Own ? 0 : 1; }

// Every free node that takes something for the mover or for the other side
// in one move; `closers`, when given, gets them by the side that takes.
void FindOneMoveTactics(PlayoutBoard& board, engine::Side mover, Tactics& tactics, Closers* closers = nullptr);

// The other side's captures in two moves that are not there in one: a dot
// that joins two pieces of its walls, or lengthens one beside a gap, and
// the node that then closes the ring. Both nodes go into TwoMoveBlocks with
// the value of the capture, and a first dot that opens two captures goes
// into Forks. `scratch` is working space.
void FindTwoMoveThreats(const PlayoutBoard& board, engine::Side mover, PlayoutBoard& scratch, Tactics& tactics);

}  // namespace solvar::ai
