#include "ai/strong_search.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cmath>
#include <thread>
#include <vector>

#include "ai/playout_board.h"
#include "ai/threat.h"
#include "engine/capture_scan.h"
#include "engine/random.h"

namespace solvar::ai {

namespace {

using engine::Side;
using Clock = std::chrono::steady_clock;

constexpr std::size_t MaxTreeNodes = 1'500'000;  // per thread, 24 bytes each
constexpr float Exploration = 0.1F;
constexpr float RaveBias = 0.0008F;
// On a field with many free nodes a random game to the end says little about
// the next moves: the games stop after this many moves and count the
// captures made meanwhile (a share of a win by the margin).
constexpr int LongGame = 250;
constexpr int Horizon = 60;
constexpr float MarginScale = 3.0F;

// xorshift64*: plenty for random games, and cheap.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : m_state((seed ^ 0x2545F4914F6CDD1DULL) * 0x9E3779B97F4A7C15ULL | 1U) {}
  std::uint64_t Next() {
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 0x2545F4914F6CDD1DULL;
  }
  // Uniform in 0..n-1.
  int Below(int n) { return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32); }
  bool Percent(int chance) { return Below(100) < chance; }

 private:
  std::uint64_t m_state;
};

// What a group of one side's territory looks like from outside: whether it
// touches the frame, and its free neighbours (one is kept; the count stops
// at two).
struct GroupShape {
  bool AtFrame = false;
  int Liberties = 0;
  int Liberty = -1;
};

class GroupProbe {
 public:
  void Fit(std::size_t cells) {
    if (m_mark.size() != cells) {
      m_mark.assign(cells, 0);
      m_stamp = 0;
    }
  }
  std::uint32_t NextStamp() {
    if (++m_stamp == 0) {
      std::fill(m_mark.begin(), m_mark.end(), 0U);
      m_stamp = 1;
    }
    return m_stamp;
  }
  bool Marked(int cell, std::uint32_t since) const { return m_mark[static_cast<std::size_t>(cell)] >= since; }

  // Walks the whole group holding `start`, marking its cells.
  GroupShape Walk(const PlayoutBoard& board, int start, Side owner) {
    const std::uint32_t stamp = NextStamp();
    GroupShape shape;
    m_stack.clear();
    m_stack.push_back(start);
    m_mark[static_cast<std::size_t>(start)] = stamp;
    while (!m_stack.empty()) {
      const int cell = m_stack.back();
      m_stack.pop_back();
      for (const int next : board.Neighbours(cell)) {
        if (board.IsBorder(next)) {
          shape.AtFrame = true;
          continue;
        }
        if (m_mark[static_cast<std::size_t>(next)] == stamp) continue;
        if (board.IsWall(next, owner)) {
          m_mark[static_cast<std::size_t>(next)] = stamp;
          m_stack.push_back(next);
        } else if (board.IsFree(next) && next != shape.Liberty) {
          if (shape.Liberties == 0) shape.Liberty = next;
          shape.Liberties = std::min(shape.Liberties + 1, 2);
        }
      }
    }
    return shape;
  }

 private:
  std::vector<std::uint32_t> m_mark;
  std::uint32_t m_stamp = 0;
  std::vector<int> m_stack;
};

// Random moves to the last free node, or for `horizon` moves when that is
// above 0; `trace` gets every node played.
void PlayOut(PlayoutBoard& board, Side toMove, Rng& rng, std::vector<std::int16_t>& trace, int horizon = 0) {
  for (int played = 0; board.FreeCount() > 0 && (horizon <= 0 || played < horizon); ++played) {
    const int cell = board.FreeCell(rng.Below(board.FreeCount()));
    board.Play(cell, toMove);
    trace.push_back(static_cast<std::int16_t>(cell));
    toMove = engine::Opponent(toMove);
  }
}

// 1 for a won game, 0 for a lost one, a half for a draw, for the side; a
// game cut short gives a share by how much the side gained since `before`.
float Reward(const PlayoutBoard& board, Side side, int before) {
  const int mine = board.Score(side);
  const int theirs = board.Score(engine::Opponent(side));
  if (board.FreeCount() == 0) return mine > theirs ? 1.0F : mine < theirs ? 0.0F : 0.5F;
  return 0.5F + 0.5F * std::tanh(static_cast<float>(mine - theirs - before) / MarginScale);
}

struct TreeNode {
  std::int32_t FirstChild = -1;
  std::int16_t Move = -1;
  std::uint16_t ChildCount = 0;
  float Visits = 0;  // games through this node (with the prior's share)
  float Wins = 0;    // of them won by the side that played Move
  float RaveVisits = 0;
  float RaveWins = 0;
};

// Nodes the standard computer's threat evaluation points at in the position
// to search: closing or tightening an enclosure of few free nodes, or
// blocking one. They are tried first at the root.
std::vector<int> RootHints(const engine::Board& settled, const PlayoutBoard& root, Side mover) {
  std::vector<int> hints;
  for (const Side encloser : {mover, engine::Opponent(mover)}) {
    const ThreatResult threat = EvaluateThreat(settled, encloser);
    if (threat.Level > 2 || threat.X < 0) continue;
    const int cell = root.CellOf(engine::Node{threat.X, threat.Y});
    if (root.IsFree(cell)) hints.push_back(cell);
  }
  return hints;
}

// One thread's tree.
class Worker {
 public:
  Worker(const PlayoutBoard& root, Side mover, std::uint64_t seed, const std::vector<int>& hints)
      : m_root(root), m_mover(mover), m_rng(seed), m_hints(hints) {
    m_board.CopyPosition(root);
    m_probe.Fit(static_cast<std::size_t>(root.Stride() * (root.Height() + 1)));
    m_simulationOf.assign(static_cast<std::size_t>(root.Stride() * (root.Height() + 1)), 0);
    m_plyOf.assign(m_simulationOf.size(), 0);
    m_nodes.reserve(4096);
    m_nodes.emplace_back();
    Expand(0, mover);
  }

  void Run(long playouts, Clock::time_point deadline, const std::atomic<bool>* stop) {
    for (long i = 0; playouts <= 0 || i < playouts; ++i) {
      if (stop != nullptr && stop->load(std::memory_order_relaxed)) return;
      if (playouts <= 0 && (i & 7) == 0 && Clock::now() >= deadline) return;
      Simulate();
      ++m_played;
    }
  }

  long Played() const { return m_played; }
  const TreeNode& Root() const { return m_nodes[0]; }
  const TreeNode& Node(int index) const { return m_nodes[static_cast<std::size_t>(index)]; }

 private:
  int ExpandAfter() const { return 2 + m_root.FreeCount() / 32; }

  // The children of a node: the free nodes near the dots already on the
  // field, and any that close or save an enclosure of one free node (every
  // free node while the field is empty), each with a prior share of games.
  // The root's children come in the same order in every tree.
  void Expand(int index, Side toMove) {
    const int count = m_board.FreeCount();
    if (count == 0 || m_nodes.size() + static_cast<std::size_t>(count) > MaxTreeNodes) return;
    const auto first = static_cast<std::int32_t>(m_nodes.size());
    const std::uint32_t since = m_probe.NextStamp();
    MarkTactics(toMove, since);
    MarkNear();
    const bool anyNear = std::any_of(m_near.begin(), m_near.end(), [](std::uint8_t n) { return n != 0; });
    for (int i = 0; i < count; ++i) {
      const int cell = m_board.FreeCell(i);
      TreeNode child;
      child.Move = static_cast<std::int16_t>(cell);
      if (!Prior(child, cell, index == 0) && anyNear) continue;
      m_nodes.push_back(child);
    }
    TreeNode& node = m_nodes[static_cast<std::size_t>(index)];
    node.FirstChild = first;
    node.ChildCount = static_cast<std::uint16_t>(m_nodes.size() - static_cast<std::size_t>(first));
  }

  // Free nodes within two steps (in any direction) of a dot or an enclosed node.
  void MarkNear() {
    const int size = m_root.Stride() * (m_root.Height() + 1);
    m_near.assign(static_cast<std::size_t>(size), 0);
    const int s = m_board.Stride();
    for (int cell = 0; cell < size; ++cell) {
      const engine::CellState code = m_board.At(cell);
      if (code == engine::csFree || code == engine::csBorder) continue;
      const engine::Node node = m_board.NodeOf(cell);
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const int x = node.X + dx;
          const int y = node.Y + dy;
          if (x > 0 && x < m_board.Width() && y > 0 && y < m_board.Height()) {
            m_near[static_cast<std::size_t>(y * s + x)] = 1;
          }
        }
      }
    }
  }

  // Nodes that close an enclosure of one free node, and nodes that save an
  // own group of one free node, for the side to move.
  void MarkTactics(Side toMove, std::uint32_t since) {
    m_captures.clear();
    m_saves.clear();
    const int size = m_root.Stride() * (m_root.Height() + 1);
    for (int cell = 0; cell < size; ++cell) {
      for (const Side owner : {engine::Opponent(toMove), toMove}) {
        if (!m_board.IsWall(cell, owner) || m_probe.Marked(cell, since)) continue;
        const GroupShape shape = m_probe.Walk(m_board, cell, owner);
        if (shape.AtFrame || shape.Liberties != 1) continue;
        (owner == toMove ? m_saves : m_captures).push_back(shape.Liberty);
      }
    }
  }

  // Sets the child's prior; false for a node worth no child of its own.
  bool Prior(TreeNode& child, int cell, bool atRoot) const {
    const bool capture = std::find(m_captures.begin(), m_captures.end(), cell) != m_captures.end();
    const bool save = std::find(m_saves.begin(), m_saves.end(), cell) != m_saves.end();
    const bool hinted = atRoot && std::find(m_hints.begin(), m_hints.end(), cell) != m_hints.end();
    if (capture || save) {
      child.Visits = 30;
      child.Wins = capture ? 29 : 26;
      return true;
    }
    if (hinted) {
      child.Visits = 20;
      child.Wins = 14;
      return true;
    }
    child.Visits = 4;
    child.Wins = NextToADot(cell) ? 2.0F : 1.0F;
    return m_near[static_cast<std::size_t>(cell)] != 0;
  }

  bool NextToADot(int cell) const {
    const int s = m_board.Stride();
    for (const int next : {cell - s - 1, cell - s, cell - s + 1, cell - 1, cell + 1, cell + s - 1, cell + s, cell + s + 1}) {
      const engine::CellState code = m_board.At(next);
      if (code != engine::csFree && code != engine::csBorder) return true;
    }
    return false;
  }

  int Select(const TreeNode& node) const {
    const float logVisits = std::log(node.Visits + 1.0F);
    int best = node.FirstChild;
    float bestValue = -1.0F;
    for (int i = 0; i < node.ChildCount; ++i) {
      const TreeNode& child = m_nodes[static_cast<std::size_t>(node.FirstChild + i)];
      const float n = child.Visits;
      const float rn = child.RaveVisits;
      const float q = child.Wins / n;
      const float rq = rn > 0 ? child.RaveWins / rn : q;
      const float beta = rn / (rn + n + rn * n * RaveBias);
      const float value = (1.0F - beta) * q + beta * rq + Exploration * std::sqrt(logVisits / n);
      if (value > bestValue) {
        bestValue = value;
        best = node.FirstChild + i;
      }
    }
    return best;
  }

  void Simulate() {
    m_board.CopyPosition(m_root);
    m_path.clear();
    m_path.push_back(0);
    m_trace.clear();
    Side toMove = m_mover;
    for (;;) {
      const int index = m_path.back();
      if (m_nodes[static_cast<std::size_t>(index)].ChildCount == 0) {
        if (m_nodes[static_cast<std::size_t>(index)].Visits < static_cast<float>(ExpandAfter())) break;
        Expand(index, toMove);
        if (m_nodes[static_cast<std::size_t>(index)].ChildCount == 0) break;
      }
      const int child = Select(m_nodes[static_cast<std::size_t>(index)]);
      const int cell = m_nodes[static_cast<std::size_t>(child)].Move;
      m_board.Play(cell, toMove);
      m_trace.push_back(static_cast<std::int16_t>(cell));
      m_path.push_back(child);
      toMove = engine::Opponent(toMove);
    }
    PlayOut(m_board, toMove, m_rng, m_trace, m_root.FreeCount() > LongGame ? Horizon : 0);
    Update();
  }

  // Every node of the path learns the game's result for the side that
  // played into it; the children of each learn it too (RAVE) when their
  // node was taken later in the game by the side to move there.
  void Update() {
    ++m_simulation;
    for (std::size_t ply = 0; ply < m_trace.size(); ++ply) {
      const auto cell = static_cast<std::size_t>(m_trace[ply]);
      m_simulationOf[cell] = m_simulation;
      m_plyOf[cell] = static_cast<std::uint32_t>(ply);
    }
    const int before = m_root.Score(m_mover) - m_root.Score(engine::Opponent(m_mover));
    const std::array<float, 2> reward = {Reward(m_board, m_mover, before),
                                         Reward(m_board, engine::Opponent(m_mover), -before)};
    for (std::size_t depth = 0; depth < m_path.size(); ++depth) {
      TreeNode& node = m_nodes[static_cast<std::size_t>(m_path[depth])];
      node.Visits += 1;
      // The node at depth d was reached by ply d - 1; the mover plays the even plies.
      if (depth > 0) node.Wins += reward[(depth - 1) % 2];
      const float toMoveReward = reward[depth % 2];
      for (int i = 0; i < node.ChildCount; ++i) {
        TreeNode& child = m_nodes[static_cast<std::size_t>(node.FirstChild + i)];
        const auto cell = static_cast<std::size_t>(child.Move);
        if (m_simulationOf[cell] != m_simulation) continue;
        const std::uint32_t ply = m_plyOf[cell];
        if (ply < depth || (ply - depth) % 2 != 0) continue;
        child.RaveVisits += 1;
        child.RaveWins += toMoveReward;
      }
    }
  }

  const PlayoutBoard& m_root;
  Side m_mover;
  Rng m_rng;
  PlayoutBoard m_board;
  GroupProbe m_probe;
  std::vector<TreeNode> m_nodes;
  std::vector<int> m_path;
  std::vector<std::int16_t> m_trace;
  std::vector<std::uint32_t> m_simulationOf;
  std::vector<std::uint32_t> m_plyOf;
  std::uint32_t m_simulation = 0;
  const std::vector<int>& m_hints;
  std::vector<int> m_captures;
  std::vector<int> m_saves;
  std::vector<std::uint8_t> m_near;
  long m_played = 0;
};

// The position to search from, with any enclosure not yet taken taken, as
// the next move's capture scans would.
engine::Board Settled(const engine::Board& board, Side mover, engine::Rules rules) {
  engine::Board settled = board;
  engine::ScanCaptures(settled, engine::Opponent(mover), nullptr, rules);
  engine::ScanCaptures(settled, mover, nullptr, rules);
  return settled;
}

PlayoutBoard SettledPosition(const engine::Board& board, Side mover, engine::Rules rules) {
  PlayoutBoard root;
  root.Load(Settled(board, mover, rules), rules);
  return root;
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

}  // namespace

std::optional<engine::Node> ChooseStrongNode(const engine::Board& board, Side mover, const SearchLimits& limits,
                                             std::uint64_t seed, const std::atomic<bool>* stop,
                                             SearchReport* report) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limits.MoveTimeMs);
  if (const auto opening = OpeningNode(board, seed)) return opening;
  const engine::Board settled = Settled(board, mover, limits.Rules);
  PlayoutBoard root;
  root.Load(settled, limits.Rules);
  if (root.FreeCount() == 0) return std::nullopt;
  const std::vector<int> hints = RootHints(settled, root, mover);
  const int threads = ThreadCount(limits.Threads);
  std::vector<Worker> workers;
  workers.reserve(static_cast<std::size_t>(threads));
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back(root, mover, seed + 0x9E3779B97F4A7C15ULL * static_cast<std::uint64_t>(t + 1), hints);
  }
  std::vector<std::thread> running;
  for (int t = 0; t < threads; ++t) {
    const long share = limits.Playouts <= 0 ? 0 : limits.Playouts / threads + (t < limits.Playouts % threads ? 1 : 0);
    if (limits.Playouts > 0 && share == 0) continue;
    running.emplace_back([&, t, share] { workers[static_cast<std::size_t>(t)].Run(share, deadline, stop); });
  }
  for (std::thread& thread : running) thread.join();

  // The children are made in the same order in every tree.
  const TreeNode& first = workers.front().Root();
  int bestChild = first.FirstChild;
  float bestVisits = -1;
  for (int i = 0; i < first.ChildCount; ++i) {
    float visits = 0;
    for (const Worker& worker : workers) visits += worker.Node(worker.Root().FirstChild + i).Visits;
    if (visits > bestVisits) {
      bestVisits = visits;
      bestChild = first.FirstChild + i;
    }
  }
  if (report != nullptr) {
    report->Threads = threads;
    report->Playouts = 0;
    for (const Worker& worker : workers) report->Playouts += worker.Played();
  }
  return root.NodeOf(workers.front().Node(bestChild).Move);
}

struct RandomGames::State {
  State(const engine::Board& board, Side side, std::uint64_t seed, engine::Rules rules)
      : Root(SettledPosition(board, side, rules)), Mover(side), Draws(seed) {}
  PlayoutBoard Root;
  PlayoutBoard Game;
  Side Mover;
  Rng Draws;
  std::vector<std::int16_t> Trace;
};

RandomGames::RandomGames(const engine::Board& board, Side mover, std::uint64_t seed, engine::Rules rules)
    : m_state(std::make_unique<State>(board, mover, seed, rules)) {}

RandomGames::~RandomGames() = default;

int RandomGames::PlayOne() {
  State& s = *m_state;
  s.Game.CopyPosition(s.Root);
  s.Trace.clear();
  PlayOut(s.Game, s.Mover, s.Draws, s.Trace);
  return static_cast<int>(s.Trace.size());
}

}  // namespace solvar::ai
