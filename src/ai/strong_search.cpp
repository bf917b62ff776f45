#include "ai/strong_search.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "ai/fast_random.h"
#include "ai/playout_board.h"
#include "ai/playout_policy.h"
#include "ai/search_tree.h"
#include "ai/tactics.h"
#include "ai/threat.h"
#include "engine/capture_scan.h"
#include "engine/random.h"

namespace solvar::ai {

namespace {

using engine::Side;

constexpr std::uint64_t SeedStep = 0x9E3779B97F4A7C15ULL;
// A search whose second most tried node has this share of the most tried
// one's games or more has not settled.
constexpr float UnsettledShare = 0.6F;

// Nodes the standard computer's threat evaluation points at in the position
// to search: closing or tightening an enclosure of few free nodes, or
// blocking one.
std::vector<int> ThreatHints(const engine::Board& settled, const PlayoutBoard& root, Side mover) {
  std::vector<int> hints;
  for (const Side encloser : {mover, engine::Opponent(mover)}) {
    const ThreatResult threat = EvaluateThreat(settled, encloser);
    if (threat.Level > 2 || threat.X < 0) continue;
    const int cell = root.CellOf(engine::Node{threat.X, threat.Y});
    if (root.IsFree(cell)) hints.push_back(cell);
  }
  return hints;
}

// The position to search from, with any enclosure not yet taken taken, as
// the next move's capture scans would.
engine::Board Settled(const engine::Board& board, Side mover, engine::Rules rules) {
  engine::Board settled = board;
  engine::ScanCaptures(settled, engine::Opponent(mover), nullptr, rules);
  engine::ScanCaptures(settled, mover, nullptr, rules);
  return settled;
}

int ThreadCount(int wanted) {
  if (wanted > 0) return wanted;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// On an empty field the random games tell no node from another, and a
// search that cannot finish would take the first one, a corner: the first
// dot goes instead to one of the 5 x 5 nodes round the centre, where players
// open.
std::optional<engine::Node> OpeningNode(const engine::Board& board, std::uint64_t seed) {
  if (engine::CountCells(board).FreeCount != board.PlayableCount()) return std::nullopt;
  engine::Random draws(seed);
  const int pick = draws.NextBelow(25);
  return engine::Node{std::clamp(board.FieldWidth() / 2 + pick % 5 - 2, 1, board.FieldWidth() - 1),
                      std::clamp(board.FieldHeight() / 2 + pick / 5 - 2, 1, board.FieldHeight() - 1)};
}

bool SameField(const PlayoutBoard& a, const PlayoutBoard& b) {
  return a.Width() == b.Width() && a.Height() == b.Height();
}

bool HoldsDotNow(const PlayoutBoard& board, int cell) { return engine::HoldsDot(board.At(cell)); }

// The mover's dot and the other side's answer that lead from the last root
// to this one, if two such dots do.
std::optional<std::pair<int, int>> MovesBetween(const PlayoutBoard& last, const PlayoutBoard& now, Side mover) {
  if (!SameField(last, now)) return std::nullopt;
  std::vector<int> placed;
  for (int i = 0; i < last.FreeCount(); ++i) {
    const int cell = last.FreeCell(i);
    if (HoldsDotNow(now, cell)) placed.push_back(cell);
  }
  if (placed.size() < 2 || placed.size() > 8) return std::nullopt;
  PlayoutBoard replay;
  for (const int mine : placed) {
    for (const int theirs : placed) {
      if (mine == theirs) continue;
      replay = last;
      replay.Play(mine, mover);
      if (!replay.IsFree(theirs)) continue;
      replay.Play(theirs, engine::Opponent(mover));
      if (replay.SamePosition(now)) return std::pair{mine, theirs};
    }
  }
  return std::nullopt;
}

// Each thread's tree grows until the deadline (or its share of a fixed
// number of games).
void RunTrees(std::vector<SearchTree>& trees, const SearchLimits& limits, SearchClock::time_point deadline,
              const std::atomic<bool>* stop) {
  const int threads = static_cast<int>(trees.size());
  std::vector<std::thread> running;
  for (int t = 0; t < threads; ++t) {
    const long share = limits.Playouts <= 0 ? 0 : limits.Playouts / threads + (t < limits.Playouts % threads ? 1 : 0);
    if (limits.Playouts > 0 && share == 0) continue;
    running.emplace_back([&trees, t, share, deadline, stop] { trees[static_cast<std::size_t>(t)].Run(share, deadline, stop, true); });
  }
  for (std::thread& thread : running) thread.join();
}

// The trees' roots may hold their children in different orders: their
// visits are added up by node.
std::vector<float> RootVisits(const std::vector<SearchTree>& trees, const PlayoutBoard& root) {
  std::vector<float> visits(static_cast<std::size_t>(root.Stride() * (root.Height() + 1)), 0.0F);
  for (const SearchTree& tree : trees) {
    const TreeNode& top = tree.Root();
    for (int i = 0; i < top.ChildCount; ++i) {
      const TreeNode& child = tree.Node(top.FirstChild + i);
      visits[static_cast<std::size_t>(child.Move)] += child.Visits;
    }
  }
  return visits;
}

// The most tried node has not drawn clearly ahead of the next.
bool IsUnsettled(const std::vector<float>& visits) {
  float best = 0;
  float second = 0;
  for (const float count : visits) {
    if (count > best) {
      second = best;
      best = count;
    } else if (count > second) {
      second = count;
    }
  }
  return second > UnsettledShare * best;
}

RootKnowledge KnowledgeOf(const engine::Board& settled, PlayoutBoard& root, Side mover) {
  RootKnowledge knowledge;
  FindOneMoveTactics(root, mover, knowledge.RootTactics, &knowledge.RootClosers);
  PlayoutBoard scratch = root;
  FindTwoMoveThreats(root, mover, scratch, knowledge.RootTactics);
  knowledge.Hints = ThreatHints(settled, root, mover);
  return knowledge;
}

}  // namespace

struct StrongSearch::State {
  std::vector<SearchTree> Trees;
  std::optional<PlayoutBoard> LastRoot;
  Side LastMover = Side::Own;
  engine::Rules LastRules = engine::Rules::Classic;
};

StrongSearch::StrongSearch() : m_state(std::make_unique<State>()) {}
StrongSearch::~StrongSearch() = default;

std::optional<engine::Node> StrongSearch::Choose(const engine::Board& board, Side mover, const SearchLimits& limits,
                                                 std::uint64_t seed, const std::atomic<bool>* stop,
                                                 SearchReport* report) {
  const SearchClock::time_point start = SearchClock::now();
  const SearchClock::time_point deadline = start + std::chrono::milliseconds(limits.MoveTimeMs);
  State& state = *m_state;
  if (report != nullptr) *report = SearchReport{};
  if (const auto opening = OpeningNode(board, seed)) return opening;
  const engine::Board settled = Settled(board, mover, limits.Rules);
  PlayoutBoard root;
  root.Load(settled, limits.Rules);
  if (root.FreeCount() == 0) return std::nullopt;
  RootKnowledge knowledge = KnowledgeOf(settled, root, mover);

  const int threads = ThreadCount(limits.Threads);
  std::optional<std::pair<int, int>> moves;
  if (state.LastRoot && state.LastMover == mover && state.LastRules == limits.Rules &&
      static_cast<int>(state.Trees.size()) == threads) {
    moves = MovesBetween(*state.LastRoot, root, mover);
  }
  bool kept = false;
  if (moves) {
    knowledge.LastDots = {moves->second, moves->first};
    for (SearchTree& tree : state.Trees) kept = tree.Descend(moves->first, moves->second) || kept;
  } else {
    state.Trees.clear();
    for (int t = 0; t < threads; ++t) state.Trees.emplace_back(0);
  }
  for (int t = 0; t < threads; ++t) {
    state.Trees[static_cast<std::size_t>(t)].Reseed(seed + SeedStep * static_cast<std::uint64_t>(t + 1));
    state.Trees[static_cast<std::size_t>(t)].SetRoot(root, mover, knowledge);
  }
  state.LastRoot = root;
  state.LastMover = mover;
  state.LastRules = limits.Rules;

  const bool forced = state.Trees.front().Root().ChildCount == 1;
  if (!forced) RunTrees(state.Trees, limits, deadline, stop);
  std::vector<float> visits = RootVisits(state.Trees, root);
  if (!forced && limits.Playouts <= 0 && limits.MostTimeMs > limits.MoveTimeMs && IsUnsettled(visits) &&
      (stop == nullptr || !stop->load())) {
    RunTrees(state.Trees, limits, start + std::chrono::milliseconds(limits.MostTimeMs), stop);
    visits = RootVisits(state.Trees, root);
  }
  int best = -1;
  const TreeNode& top = state.Trees.front().Root();
  for (int i = 0; i < top.ChildCount; ++i) {
    const int cell = state.Trees.front().Node(top.FirstChild + i).Move;
    if (best < 0 || visits[static_cast<std::size_t>(cell)] > visits[static_cast<std::size_t>(best)]) best = cell;
  }
  if (best < 0) best = root.FreeCell(0);
  if (report != nullptr) {
    report->Threads = threads;
    report->KeptTree = kept;
    float games = 0;
    float margins = 0;
    for (const SearchTree& tree : state.Trees) {
      report->Playouts += tree.Played();
      games += tree.GamesAfter(best);
      margins += tree.MarginsAfter(best);
    }
    if (games > 0) report->ExpectedMargin = static_cast<double>(margins) / static_cast<double>(games);
  }
  return root.NodeOf(best);
}

std::optional<engine::Node> ChooseStrongNode(const engine::Board& board, Side mover, const SearchLimits& limits,
                                             std::uint64_t seed, const std::atomic<bool>* stop,
                                             SearchReport* report) {
  StrongSearch search;
  return search.Choose(board, mover, limits, seed, stop, report);
}

struct RandomGames::State {
  State(const engine::Board& board, Side side, std::uint64_t seed, engine::Rules rules)
      : Mover(side), Draws(seed) {
    const engine::Board settled = Settled(board, side, rules);
    Root.Load(settled, rules);
    Tactics ignored;
    FindOneMoveTactics(Root, side, ignored, &RootClosers);
  }
  PlayoutBoard Root;
  PlayoutBoard Game;
  Closers RootClosers;
  PlayoutPolicy Policy;
  Side Mover;
  FastRandom Draws;
};

RandomGames::RandomGames(const engine::Board& board, Side mover, std::uint64_t seed, engine::Rules rules)
    : m_state(std::make_unique<State>(board, mover, seed, rules)) {}

RandomGames::~RandomGames() = default;

int RandomGames::PlayOne() {
  State& s = *m_state;
  s.Game.CopyPosition(s.Root);
  s.Policy.Start(s.RootClosers);
  Side toMove = s.Mover;
  int moves = 0;
  for (; s.Game.FreeCount() > 0; ++moves) {
    const int cell = s.Policy.Choose(s.Game, toMove, s.Draws);
    s.Game.Play(cell, toMove);
    s.Policy.Played(s.Game, cell, toMove);
    toMove = engine::Opponent(toMove);
  }
  return moves;
}

}  // namespace solvar::ai
