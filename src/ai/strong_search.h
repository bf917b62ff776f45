#pragma once
// The strong computer: Monte-Carlo tree search over fast random games.
//
// How it thinks. From the position to move it plays many random games on a
// PlayoutBoard and counts who captured more. The moves of those games grow a
// tree (UCT: each visit goes down the child whose share of won games, plus a
// bonus for being little tried, is highest); with so many possible moves and
// few games a move each child also learns from every game in which its node
// was taken by its side at any later point (RAVE), a good guess in this game,
// where a dot mostly matters for where it is, not for when it came. A node
// gets children only near the dots already on the field (two steps at most),
// and they start from a prior: closing an enclosure of one free node, saving
// a group of one free node, and at the root the nodes the standard
// computer's threat evaluation points at (a level of 2 or less, either way)
// are tried first. The random games are uniform random moves; while more
// than 250 nodes are free they stop after 60 moves and count the captures
// made meanwhile (a whole game on a large field says too little about the
// next few moves), else they go to the last free node and count the win.
//
// Each thread grows a tree of its own (root parallelism); their counts at
// the root are added up and the most visited node is played. With a fixed
// number of random games and the same seed the move is the same.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/board.h"

namespace solvar::ai {

struct SearchLimits {
  int MoveTimeMs = 1000;  // thinking time, when no fixed number of games is given
  long Playouts = 0;      // above 0: exactly this many random games, whatever the time
  int Threads = 0;        // 0: one per core
  engine::Rules Rules = engine::Rules::Classic;  // the game's rules, which the random games follow
};

struct SearchReport {
  long Playouts = 0;  // random games played
  int Threads = 0;
};

// Chooses the mover's node: always a free playable node of the field, within
// the time given (or after the fixed number of games); none when no such
// node is left. `stop` set to true from another thread ends the search at
// once (a node is still returned).
std::optional<engine::Node> ChooseStrongNode(const engine::Board& board, engine::Side mover,
                                             const SearchLimits& limits, std::uint64_t seed,
                                             const std::atomic<bool>* stop = nullptr,
                                             SearchReport* report = nullptr);

// Whole random games from one position, the mover first, one after another,
// played as the search plays them (for measuring their speed).
class RandomGames {
 public:
  RandomGames(const engine::Board& board, engine::Side mover, std::uint64_t seed,
              engine::Rules rules = engine::Rules::Classic);
  ~RandomGames();
  RandomGames(const RandomGames&) = delete;
  RandomGames& operator=(const RandomGames&) = delete;
  // Plays one game to the last free node; returns its number of moves.
  int PlayOne();

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace solvar::ai
