#pragma once
// The strong computer: Monte-Carlo tree search over random games that play
// like dots players.
//
// How it thinks. From the position to move it plays many random games on a
// PlayoutBoard and counts who captured more. The games are not uniform (see
// playout_policy.h): they take what can be taken and save what is about to
// be taken, in proportion to its size, and keep out of the other side's
// rings, so a game tells a quiet move from one that loses eighty dots. The
// moves of those games grow a tree (UCT: each visit goes down the child whose
// share of won games, plus a bonus for being little tried, is highest); with
// so many possible moves and few games a move each child also learns from
// every game in which its node was taken by its side at any later point
// (RAVE), a good guess in this game, where a dot mostly matters for where it
// is, not for when it came.
//
// Before the search the root is looked at whole (tactics.h): every node
// that takes dots, every node where the other side's dot would take some
// (its block), and the blocks of what the other side could take with two
// dots. A node gets children near the dots on the field (two steps at most)
// and at every such node; they start from a prior that puts captures and
// blocks first, by what they are worth, then the nodes near the last two
// dots. Under the sport rules a node inside a ring is never a child while
// another is free.
//
// A whole random game counts mostly as won or lost and partly by the margin;
// while more than 250 nodes are free the games stop after 60 moves and count
// the captures made meanwhile (a whole game on a large field says too little
// about the next few moves).
//
// Each thread grows a tree of its own (root parallelism); their counts at
// the root are added up and the most visited node is played. Given room for
// it, a search whose two most tried nodes are close when its time is up
// goes on for longer. A search that
// goes on from the last one (StrongSearch) keeps the part of each tree under
// its last move and the answer to it; a search with time stops as soon as
// its choice can no longer change, and a node that is the only child is
// played at once. With a fixed number of random games and the same seed a
// new search gives the same move.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/board.h"

namespace solvar::ai {

struct SearchLimits {
  int MoveTimeMs = 1000;  // thinking time, when no fixed number of games is given
  // Above MoveTimeMs: while the most tried node is not clearly ahead of the
  // next when the time is up (a sharp position), the search goes on up to
  // this time.
  int MostTimeMs = 0;
  long Playouts = 0;      // above 0: exactly this many random games, whatever the time
  int Threads = 0;        // 0: one per core
  engine::Rules Rules = engine::Rules::Classic;  // the game's rules, which the random games follow
};

struct SearchReport {
  long Playouts = 0;  // random games played
  int Threads = 0;
  bool KeptTree = false;  // the search went on from the last one's tree
  // What the chosen node is worth: the mover's captures less the other
  // side's where the random games that began with it ended (games cut
  // short on a large field end 60 moves on). None when no game was played
  // (a forced move, the opening dot).
  std::optional<double> ExpectedMargin;
};

// The strong computer of one game: each search keeps what the last one grew
// under the moves played since, when the position follows from it.
class StrongSearch {
 public:
  StrongSearch();
  ~StrongSearch();
  StrongSearch(const StrongSearch&) = delete;
  StrongSearch& operator=(const StrongSearch&) = delete;

  // Chooses the mover's node: always a free playable node of the field, within
  // the time given (or after the fixed number of games); none when no such
  // node is left. `stop` set to true from another thread ends the search at
  // once (a node is still returned).
  std::optional<engine::Node> Choose(const engine::Board& board, engine::Side mover, const SearchLimits& limits,
                                     std::uint64_t seed, const std::atomic<bool>* stop = nullptr,
                                     SearchReport* report = nullptr);

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

// A search of its own, from a new tree.
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
