#pragma once
// One thread's tree of the strong computer's search (see strong_search.h
// for how it thinks): the nodes, their priors, the random games grown from
// them and what each game teaches the nodes it passed.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "ai/fast_random.h"
#include "ai/playout_board.h"
#include "ai/playout_policy.h"
#include "ai/tactics.h"
#include "ai/wall_estimate.h"

namespace solvar::ai {

using SearchClock = std::chrono::steady_clock;

// What the search knows of its root position, found once and shared by
// every thread's tree.
struct RootKnowledge {
  Tactics RootTactics;         // captures, blocks and two-move blocks for the mover
  Closers RootClosers;         // the nodes that close a ring, for the random games
  std::vector<int> Hints;      // nodes the standard computer's threat evaluation points at
  std::vector<int> LastDots;   // the last dots played before the root, newest first
};

struct TreeNode {
  std::int32_t FirstChild = -1;
  std::int16_t Move = -1;
  std::uint16_t ChildCount = 0;
  float Visits = 0;  // games through this node (with the prior's share)
  float Wins = 0;    // of them won by the side that played Move
  float RaveVisits = 0;
  float RaveWins = 0;
};

class SearchTree {
 public:
  explicit SearchTree(std::uint64_t seed) : m_random(seed) {}
  void Reseed(std::uint64_t seed) { m_random = FastRandom(seed); }

  // Keeps the part of the tree under the mover's dot `mine` and the other
  // side's answer `theirs`, as the tree of the next root; false (and an
  // empty tree) when the tree never tried them.
  bool Descend(int mine, int theirs);
  void Clear() { m_nodes.clear(); }
  // Searches from `root` with the mover to play: the kept tree, or a new one.
  void SetRoot(const PlayoutBoard& root, engine::Side mover, const RootKnowledge& knowledge);
  // Plays random games until `playouts` (above 0), the deadline, `stop`, or
  // (when allowed) until the most tried move can no longer be overtaken.
  void Run(long playouts, SearchClock::time_point deadline, const std::atomic<bool>* stop, bool mayStopEarly);

  long Played() const { return m_played; }
  const TreeNode& Root() const { return m_nodes[0]; }
  // The random games of this search that began with the mover's dot on
  // `cell`, and the sum of their margins (the mover's captures less the
  // other side's where each game ended).
  float GamesAfter(int cell) const { return m_rootGames[static_cast<std::size_t>(cell)]; }
  float MarginsAfter(int cell) const { return m_rootMargins[static_cast<std::size_t>(cell)]; }
  const TreeNode& Node(int index) const { return m_nodes[static_cast<std::size_t>(index)]; }

 private:
  int ExpandAfter() const { return 2 + m_rootBoard->FreeCount() / 32; }
  void Expand(int index, engine::Side toMove, bool atRoot);
  void AddRootTactics();
  void MarkNearRoot();
  void MarkNear();
  bool IsNear(std::size_t cell) const;
  void MarkLastDots(bool atRoot);
  void MarkTactics(engine::Side toMove, bool atRoot);
  int Select(const TreeNode& node) const;
  void Simulate();
  void PlayOut(engine::Side toMove);
  void Update();
  int EnclosedLead(const PlayoutBoard& board);
  bool CannotChange(long remaining, double timeUsed) const;

  FastRandom m_random;
  const PlayoutBoard* m_rootBoard = nullptr;
  const RootKnowledge* m_knowledge = nullptr;
  engine::Side m_mover = engine::Side::Own;
  PlayoutBoard m_board;
  PlayoutPolicy m_policy;
  std::vector<TreeNode> m_nodes;
  std::vector<int> m_path;
  std::vector<std::int16_t> m_trace;
  std::vector<std::uint32_t> m_simulationOf;
  std::vector<std::uint32_t> m_plyOf;
  std::uint32_t m_simulation = 0;
  // Per cell, for the node being expanded.
  std::vector<std::uint8_t> m_rootNear;
  std::vector<std::uint32_t> m_nearStamp;
  std::uint32_t m_expansion = 0;
  std::vector<std::uint32_t> m_nearLastStamp;
  std::vector<std::int16_t> m_captureValue;
  std::vector<std::int16_t> m_blockValue;
  std::vector<std::int16_t> m_twoMoveValue;
  std::vector<std::int16_t> m_forkValue;
  std::vector<std::uint8_t> m_hinted;
  std::vector<float> m_rootGames;
  std::vector<float> m_rootMargins;
  Tactics m_tactics;
  WallEstimate m_wallEstimate;
  int m_rootEnclosedLead = 0;  // EnclosedLead of the root, which a game cut short is measured from
  long m_played = 0;
};

}  // namespace solvar::ai
