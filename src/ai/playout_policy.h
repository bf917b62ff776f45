#pragma once
// How the random games choose their moves: as dots players would, not
// uniformly. A move that takes dots is preferred in proportion to what it
// takes, and so is a move that stops the other side's capture on its next
// move (a dot on the node that would close its ring). Otherwise a random
// free node, but never one inside the other side's ring (under the sport
// rules a dot there is taken at once) or inside one's own (a wasted move)
// while another node is free; at the end of the field one's own rings are
// filled before the other side's.
//
// The nodes that close a ring are known from the position the game starts
// from, and after each dot the nodes round it are looked at: a ring's gap
// only opens where a dot was played. They are watched while they would take
// something.

#include <cstdint>
#include <vector>

#include "ai/fast_random.h"
#include "ai/playout_board.h"
#include "ai/tactics.h"

namespace solvar::ai {

class PlayoutPolicy {
 public:
  // A new game from a position whose closing nodes are `closers`.
  void Start(const Closers& closers) { m_closers = closers; }
  // The side's dot has been played on `cell`.
  void Played(PlayoutBoard& board, int cell, engine::Side mover);
  // The node the side plays next; the board has a free node.
  int Choose(PlayoutBoard& board, engine::Side toMove, FastRandom& random);

 private:
  void Gather(PlayoutBoard& board, engine::Side closer, engine::Side toMove);
  static int RandomNode(const PlayoutBoard& board, engine::Side toMove, FastRandom& random);

  Closers m_closers;
  std::vector<Tactic> m_options;
  int m_total = 0;
};

}  // namespace solvar::ai
