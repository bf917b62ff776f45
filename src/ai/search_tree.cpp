#include "ai/search_tree.h"

#include <algorithm>
#include <cmath>

namespace solvar::ai {

namespace {

using engine::Side;

constexpr std::size_t MaxTreeNodes = 1'500'000;  // per thread, 24 bytes each
constexpr float Exploration = 0.1F;
// RAVE gives way to a node's own games after a few hundred of them: a
// capture that the random games make at once lends its gain to every other
// node's RAVE count, so that count must not decide for long.
constexpr float RaveBias = 0.002F;
// On a field with many free nodes a random game to the end says little about
// the next moves: the games stop after this many moves and count the
// captures made meanwhile (a share of a win by the margin).
constexpr int LongGame = 250;
constexpr int Horizon = 60;
constexpr float MarginScale = 3.0F;
// A game cut short also counts what the walls on the field will enclose in
// the end (wall_estimate.h), each dot cut off as captured: a group in the
// middle with the other side's dots lined round it along the edges is seen
// as lost long before a ring round it can close, and the dots that keep a
// way out to the frame are seen to be worth playing.
constexpr int WallReach = 3;
constexpr float WallWeight = 0.4F;
// A whole game counts mostly as won or lost, and partly by how much, so that
// a side that is behind still fights to lose less and one ahead to win more.
constexpr float WinWeight = 0.7F;
constexpr float FinalMarginScale = 10.0F;
// An early stop is only trusted after this many games of the search.
constexpr long LeastGamesBeforeStop = 200;
constexpr double ForcedAfter = 0.125;
// Nodes outside every ring at most, for the end of the game.
constexpr int EndgameNodes = 60;
constexpr float ForcedShare = 0.6F;

// The side's share of one random game: for a whole game, mostly won or lost;
// for a game cut short, by how much the side gained since `before`, the
// dots its walls will enclose (less the other side's) `estimated` counted in.
float Reward(const PlayoutBoard& board, Side side, int before, float estimated = 0) {
  const float margin = static_cast<float>(board.Score(side) - board.Score(engine::Opponent(side))) + estimated;
  if (board.FreeCount() == 0) {
    const float won = margin > 0 ? 1.0F : margin < 0 ? 0.0F : 0.5F;
    const float byMargin = 0.5F + 0.5F * std::tanh(margin / FinalMarginScale);
    return WinWeight * won + (1.0F - WinWeight) * byMargin;
  }
  return 0.5F + 0.5F * std::tanh((margin - static_cast<float>(before)) / MarginScale);
}

// What a node is worth before any game went through it, as games already
// played: captures, blocks of a capture and the nodes where the other
// side's dot would make two captures at once, by what they take, a dot the
// other side takes with its next as nearly lost, then the blocks of a
// capture in two moves, the standard computer's nodes, the nodes near the
// last two dots, and the rest (a little more next to a dot).
struct Prior {
  float Visits = 4;
  float Wins = 1;
};

struct NodeFacts {
  int Capture = 0;
  int Block = 0;
  int TwoMoveBlock = 0;
  int Fork = 0;  // the other side's dot here makes two captures, one of them lost
  bool Hinted = false;
  bool NearLastDots = false;
  bool NextToADot = false;
  bool Trap = false;  // the other side takes the dot with its next
  bool IntoRing = false;  // inside a ring while nodes outside are free
};

Prior PriorOf(const NodeFacts& facts) {
  const int taken = std::max({facts.Capture, facts.Block, facts.Fork});
  if (taken > 0) {
    const float visits = 20.0F + static_cast<float>(std::min(2 * taken, 60));
    return {visits, visits * (facts.Capture >= taken ? 0.95F : 0.9F)};
  }
  if (facts.Trap || facts.IntoRing) return {10.0F, 1.0F};
  if (facts.TwoMoveBlock > 0) {
    const float visits = 10.0F + static_cast<float>(std::min(facts.TwoMoveBlock, 30));
    return {visits, visits * 0.75F};
  }
  if (facts.Hinted) return {20.0F, 14.0F};
  if (facts.NearLastDots) return {6.0F, facts.NextToADot ? 3.6F : 3.0F};
  return {4.0F, facts.NextToADot ? 2.0F : 1.0F};
}

bool IsTactical(const NodeFacts& facts) {
  return facts.Capture > 0 || facts.Block > 0 || facts.TwoMoveBlock > 0 || facts.Fork > 0 || facts.Hinted;
}

}  // namespace

bool SearchTree::Descend(int mine, int theirs) {
  if (m_nodes.empty()) return false;
  const auto childWith = [this](const TreeNode& node, int move) {
    for (int i = 0; i < node.ChildCount; ++i) {
      if (m_nodes[static_cast<std::size_t>(node.FirstChild + i)].Move == move) return node.FirstChild + i;
    }
    return -1;
  };
  const int first = childWith(m_nodes[0], mine);
  const int second = first < 0 ? -1 : childWith(m_nodes[static_cast<std::size_t>(first)], theirs);
  if (second < 0) {
    Clear();
    return false;
  }
  // Copies the subtree breadth first; each node's children stay together.
  std::vector<TreeNode> kept;
  kept.reserve(m_nodes.size() / 4 + 1);
  kept.push_back(m_nodes[static_cast<std::size_t>(second)]);
  std::vector<std::int32_t> from = {second};
  for (std::size_t next = 0; next < from.size(); ++next) {
    const TreeNode& old = m_nodes[static_cast<std::size_t>(from[next])];
    if (old.ChildCount == 0) continue;
    kept[next].FirstChild = static_cast<std::int32_t>(kept.size());
    for (int i = 0; i < old.ChildCount; ++i) {
      kept.push_back(m_nodes[static_cast<std::size_t>(old.FirstChild + i)]);
      from.push_back(old.FirstChild + i);
    }
  }
  m_nodes = std::move(kept);
  return true;
}

void SearchTree::SetRoot(const PlayoutBoard& root, Side mover, const RootKnowledge& knowledge) {
  m_rootBoard = &root;
  m_knowledge = &knowledge;
  m_mover = mover;
  m_played = 0;
  const auto cells = static_cast<std::size_t>(root.Stride() * (root.Height() + 1));
  if (m_simulationOf.size() != cells) {
    m_simulationOf.assign(cells, 0);
    m_plyOf.assign(cells, 0);
    m_rootNear.assign(cells, 0);
    m_nearStamp.assign(cells, 0);
    m_nearLastStamp.assign(cells, 0);
    m_captureValue.assign(cells, 0);
    m_blockValue.assign(cells, 0);
    m_twoMoveValue.assign(cells, 0);
    m_forkValue.assign(cells, 0);
    m_hinted.assign(cells, 0);
  }
  m_rootGames.assign(cells, 0.0F);
  m_rootMargins.assign(cells, 0.0F);
  m_board.CopyPosition(root);
  m_rootEnclosedLead = root.FreeCount() > LongGame ? EnclosedLead(root) : 0;
  MarkNearRoot();
  if (m_nodes.empty()) {
    m_nodes.reserve(4096);
    m_nodes.emplace_back();
  }
  m_path.assign(1, 0);
  if (m_nodes[0].ChildCount == 0) {
    Expand(0, mover, true);
  } else {
    AddRootTactics();
  }
}

// A kept root already has children, made when it was not yet the root: the
// root's captures and blocks are added where missing and given their prior
// where present.
void SearchTree::AddRootTactics() {
  MarkTactics(m_mover, true);
  std::vector<std::uint8_t> present(m_captureValue.size(), 0);
  TreeNode& root = m_nodes[0];
  for (int i = 0; i < root.ChildCount; ++i) {
    TreeNode& child = m_nodes[static_cast<std::size_t>(root.FirstChild + i)];
    present[static_cast<std::size_t>(child.Move)] = 1;
    NodeFacts facts;
    facts.Capture = m_captureValue[static_cast<std::size_t>(child.Move)];
    facts.Block = m_blockValue[static_cast<std::size_t>(child.Move)];
    facts.TwoMoveBlock = m_twoMoveValue[static_cast<std::size_t>(child.Move)];
    facts.Fork = m_forkValue[static_cast<std::size_t>(child.Move)];
    if (facts.Capture + facts.Block + facts.TwoMoveBlock + facts.Fork == 0) continue;
    const Prior prior = PriorOf(facts);
    child.Visits += prior.Visits;
    child.Wins += prior.Wins;
  }
  std::vector<TreeNode> missing;
  for (const auto* list : {&m_knowledge->RootTactics.Captures, &m_knowledge->RootTactics.Blocks,
                           &m_knowledge->RootTactics.TwoMoveBlocks, &m_knowledge->RootTactics.Forks}) {
    for (const Tactic& tactic : *list) {
      if (present[static_cast<std::size_t>(tactic.Cell)] != 0 || !m_board.IsFree(tactic.Cell)) continue;
      present[static_cast<std::size_t>(tactic.Cell)] = 1;
      NodeFacts facts;
      facts.Capture = m_captureValue[static_cast<std::size_t>(tactic.Cell)];
      facts.Block = m_blockValue[static_cast<std::size_t>(tactic.Cell)];
      facts.TwoMoveBlock = m_twoMoveValue[static_cast<std::size_t>(tactic.Cell)];
      facts.Fork = m_forkValue[static_cast<std::size_t>(tactic.Cell)];
      const Prior prior = PriorOf(facts);
      TreeNode child;
      child.Move = static_cast<std::int16_t>(tactic.Cell);
      child.Visits = prior.Visits;
      child.Wins = prior.Wins;
      missing.push_back(child);
    }
  }
  if (missing.empty()) return;
  const auto first = static_cast<std::int32_t>(m_nodes.size());
  const TreeNode old = m_nodes[0];
  for (int i = 0; i < old.ChildCount; ++i) m_nodes.push_back(m_nodes[static_cast<std::size_t>(old.FirstChild + i)]);
  m_nodes.insert(m_nodes.end(), missing.begin(), missing.end());
  m_nodes[0].FirstChild = first;
  m_nodes[0].ChildCount = static_cast<std::uint16_t>(m_nodes.size() - static_cast<std::size_t>(first));
}

// The children of a node: the free nodes near the dots already on the field
// (every free node while the field is empty), and every node with a tactic,
// each with its prior. Under the sport rules, nodes inside a ring are left
// out while others are free (the side's own rings after the others, the
// other side's last), but for the end of the game.
void SearchTree::Expand(int index, Side toMove, bool atRoot) {
  const int count = m_board.FreeCount();
  if (count == 0 || m_nodes.size() + static_cast<std::size_t>(count) > MaxTreeNodes) return;
  MarkTactics(toMove, atRoot);
  MarkNear();
  MarkLastDots(atRoot);
  const Side other = engine::Opponent(toMove);
  const auto ringClass = [&](int cell) {
    if (m_captureValue[static_cast<std::size_t>(cell)] > 0) return 0;
    if (m_board.InRingOf(cell, other)) return 2;
    return m_board.InRingOf(cell, toMove) ? 1 : 0;
  };
  int bestClass = 2;
  int outsideRings = 0;
  bool anyNear = false;
  for (int i = 0; i < count; ++i) {
    const int cell = m_board.FreeCell(i);
    const int kind = ringClass(cell);
    bestClass = std::min(bestClass, kind);
    outsideRings += kind == 0 ? 1 : 0;
    anyNear = anyNear || IsNear(static_cast<std::size_t>(cell));
  }
  // Late in the game who must play into whose ring is a matter of tempo: a
  // dot into the other side's ring, given up at once, takes the whole of its
  // room away from the other side, and the side's own rings are moves in
  // hand. Those nodes are then tried too, from a low prior.
  const bool endgame = outsideRings <= EndgameNodes;
  const auto first = static_cast<std::int32_t>(m_nodes.size());
  const int s = m_board.Stride();
  for (int i = 0; i < count; ++i) {
    const int cell = m_board.FreeCell(i);
    const bool intoRing = ringClass(cell) != bestClass;
    if (intoRing && !endgame) continue;
    const auto at = static_cast<std::size_t>(cell);
    NodeFacts facts;
    facts.IntoRing = intoRing;
    facts.Capture = m_captureValue[at];
    facts.Block = m_blockValue[at];
    facts.TwoMoveBlock = m_twoMoveValue[at];
    facts.Fork = m_forkValue[at];
    facts.Hinted = m_hinted[at] != 0;
    facts.NearLastDots = m_nearLastStamp[at] == m_expansion;
    for (const int next : {cell - s - 1, cell - s, cell - s + 1, cell - 1, cell + 1, cell + s - 1, cell + s, cell + s + 1}) {
      const engine::CellState code = m_board.At(next);
      facts.NextToADot = facts.NextToADot || (code != engine::csFree && code != engine::csBorder);
    }
    facts.Trap = m_board.IsTrap(cell, toMove);
    if (anyNear && !IsNear(at) && !IsTactical(facts) && !facts.NearLastDots) continue;
    const Prior prior = PriorOf(facts);
    TreeNode child;
    child.Move = static_cast<std::int16_t>(cell);
    child.Visits = prior.Visits;
    child.Wins = prior.Wins;
    m_nodes.push_back(child);
  }
  TreeNode& node = m_nodes[static_cast<std::size_t>(index)];
  node.FirstChild = first;
  node.ChildCount = static_cast<std::uint16_t>(m_nodes.size() - static_cast<std::size_t>(first));
}

// The nodes within two steps (in any direction) of a node.
template <class Mark>
void ForEachNear(const PlayoutBoard& board, int cell, Mark mark) {
  const engine::Node node = board.NodeOf(cell);
  const int s = board.Stride();
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const int x = node.X + dx;
      const int y = node.Y + dy;
      if (x > 0 && x < board.Width() && y > 0 && y < board.Height()) mark(static_cast<std::size_t>(y * s + x));
    }
  }
}

// Nodes within two steps of a dot or an enclosed node of the root position.
void SearchTree::MarkNearRoot() {
  std::fill(m_rootNear.begin(), m_rootNear.end(), 0);
  const int size = static_cast<int>(m_rootNear.size());
  for (int cell = 0; cell < size; ++cell) {
    const engine::CellState code = m_rootBoard->At(cell);
    if (code == engine::csFree || code == engine::csBorder) continue;
    ForEachNear(*m_rootBoard, cell, [this](std::size_t at) { m_rootNear[at] = 1; });
  }
}

// Nodes near the root's dots, or within two steps of the dots played on the
// way down to the node being expanded: those are stamped with this
// expansion's number, so that nothing is cleared.
void SearchTree::MarkNear() {
  if (++m_expansion == 0) {
    std::fill(m_nearStamp.begin(), m_nearStamp.end(), 0);
    std::fill(m_nearLastStamp.begin(), m_nearLastStamp.end(), 0);
    m_expansion = 1;
  }
  for (std::size_t i = 1; i < m_path.size(); ++i) {
    ForEachNear(m_board, m_nodes[static_cast<std::size_t>(m_path[i])].Move,
                [this](std::size_t at) { m_nearStamp[at] = m_expansion; });
  }
}

bool SearchTree::IsNear(std::size_t cell) const { return m_rootNear[cell] != 0 || m_nearStamp[cell] == m_expansion; }

// Nodes within two steps of the last two dots: the root's last dots, or the
// moves that led to the node being expanded (stamped as MarkNear stamps).
void SearchTree::MarkLastDots(bool atRoot) {
  const auto mark = [this](std::size_t at) { m_nearLastStamp[at] = m_expansion; };
  if (atRoot) {
    for (std::size_t i = 0; i < m_knowledge->LastDots.size() && i < 2; ++i) ForEachNear(m_board, m_knowledge->LastDots[i], mark);
    return;
  }
  int dots = 0;
  for (std::size_t i = m_path.size(); i-- > 1 && dots < 2; ++dots) {
    ForEachNear(m_board, m_nodes[static_cast<std::size_t>(m_path[i])].Move, mark);
  }
}

// The values of captures and blocks at each node (the root's found before
// the search, with its two-move blocks and the standard computer's nodes).
void SearchTree::MarkTactics(Side toMove, bool atRoot) {
  for (const auto* list : {&m_tactics.Captures, &m_tactics.Blocks, &m_tactics.TwoMoveBlocks, &m_tactics.Forks}) {
    for (const Tactic& tactic : *list) {
      const auto at = static_cast<std::size_t>(tactic.Cell);
      m_captureValue[at] = 0;
      m_blockValue[at] = 0;
      m_twoMoveValue[at] = 0;
      m_forkValue[at] = 0;
    }
  }
  std::fill(m_hinted.begin(), m_hinted.end(), 0);
  if (atRoot) {
    m_tactics = m_knowledge->RootTactics;
    for (const int hint : m_knowledge->Hints) m_hinted[static_cast<std::size_t>(hint)] = 1;
  } else {
    m_tactics.Clear();
    FindOneMoveTactics(m_board, toMove, m_tactics);
  }
  const auto keep = [](std::vector<std::int16_t>& values, const std::vector<Tactic>& list) {
    for (const Tactic& tactic : list) {
      auto& value = values[static_cast<std::size_t>(tactic.Cell)];
      value = static_cast<std::int16_t>(std::max<int>(value, tactic.Value));
    }
  };
  keep(m_captureValue, m_tactics.Captures);
  keep(m_blockValue, m_tactics.Blocks);
  keep(m_twoMoveValue, m_tactics.TwoMoveBlocks);
  keep(m_forkValue, m_tactics.Forks);
}

int SearchTree::Select(const TreeNode& node) const {
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

void SearchTree::Run(long playouts, SearchClock::time_point deadline, const std::atomic<bool>* stop, bool mayStopEarly) {
  const SearchClock::time_point start = SearchClock::now();
  for (long i = 0; playouts <= 0 || i < playouts; ++i) {
    if (stop != nullptr && stop->load(std::memory_order_relaxed)) return;
    if (playouts <= 0 && (i & 7) == 0) {
      const SearchClock::time_point now = SearchClock::now();
      if (now >= deadline) return;
      if (mayStopEarly && i >= LeastGamesBeforeStop && (i & 63) == 0) {
        const double elapsed = std::chrono::duration<double>(now - start).count();
        const double left = std::chrono::duration<double>(deadline - now).count();
        if (CannotChange(static_cast<long>(static_cast<double>(i) * left / elapsed), elapsed / (elapsed + left))) return;
      }
    }
    Simulate();
    ++m_played;
  }
}

// The most tried move stays the most tried whatever the remaining games do;
// or, after an eighth of the time, it has taken most of the games (a move
// as forced as that is answered at once: in a quiet position the games
// spread over many moves).
bool SearchTree::CannotChange(long remaining, double timeUsed) const {
  const TreeNode& root = m_nodes[0];
  float best = 0;
  float second = 0;
  for (int i = 0; i < root.ChildCount; ++i) {
    const float visits = m_nodes[static_cast<std::size_t>(root.FirstChild + i)].Visits;
    if (visits > best) {
      second = best;
      best = visits;
    } else if (visits > second) {
      second = visits;
    }
  }
  // The root counts the games played through it; its children also count
  // their priors.
  return best - second > static_cast<float>(remaining) || (timeUsed >= ForcedAfter && best >= ForcedShare * root.Visits);
}

void SearchTree::Simulate() {
  m_board.CopyPosition(*m_rootBoard);
  m_policy.Start(m_knowledge->RootClosers);
  m_path.assign(1, 0);
  m_trace.clear();
  Side toMove = m_mover;
  for (;;) {
    const int index = m_path.back();
    if (m_nodes[static_cast<std::size_t>(index)].ChildCount == 0) {
      if (m_nodes[static_cast<std::size_t>(index)].Visits < static_cast<float>(ExpandAfter())) break;
      Expand(index, toMove, index == 0);
      if (m_nodes[static_cast<std::size_t>(index)].ChildCount == 0) break;
    }
    const int child = Select(m_nodes[static_cast<std::size_t>(index)]);
    const int cell = m_nodes[static_cast<std::size_t>(child)].Move;
    m_board.Play(cell, toMove);
    m_policy.Played(m_board, cell, toMove);
    m_trace.push_back(static_cast<std::int16_t>(cell));
    m_path.push_back(child);
    toMove = engine::Opponent(toMove);
  }
  PlayOut(toMove);
  Update();
}

// What the mover's walls will enclose less what the other side's will.
int SearchTree::EnclosedLead(const PlayoutBoard& board) {
  const auto enclosed = m_wallEstimate.Enclosed(board, WallReach);
  return enclosed[SideIndex(m_mover)] - enclosed[SideIndex(engine::Opponent(m_mover))];
}

void SearchTree::PlayOut(Side toMove) {
  const int horizon = m_rootBoard->FreeCount() > LongGame ? Horizon : 0;
  for (int played = 0; m_board.FreeCount() > 0 && (horizon <= 0 || played < horizon); ++played) {
    const int cell = m_policy.Choose(m_board, toMove, m_random);
    m_board.Play(cell, toMove);
    m_policy.Played(m_board, cell, toMove);
    m_trace.push_back(static_cast<std::int16_t>(cell));
    toMove = engine::Opponent(toMove);
  }
}

// Every node of the path learns the game's result for the side that
// played into it; the children of each learn it too (RAVE) when their
// node was taken later in the game by the side to move there.
void SearchTree::Update() {
  ++m_simulation;
  for (std::size_t ply = 0; ply < m_trace.size(); ++ply) {
    const auto cell = static_cast<std::size_t>(m_trace[ply]);
    m_simulationOf[cell] = m_simulation;
    m_plyOf[cell] = static_cast<std::uint32_t>(ply);
  }
  const int before = m_rootBoard->Score(m_mover) - m_rootBoard->Score(engine::Opponent(m_mover));
  float estimated = 0;
  if (m_board.FreeCount() > 0) estimated = WallWeight * static_cast<float>(EnclosedLead(m_board) - m_rootEnclosedLead);
  const std::array<float, 2> reward = {Reward(m_board, m_mover, before, estimated),
                                       Reward(m_board, engine::Opponent(m_mover), -before, -estimated)};
  if (m_path.size() > 1) {
    const auto first = static_cast<std::size_t>(m_nodes[static_cast<std::size_t>(m_path[1])].Move);
    m_rootGames[first] += 1.0F;
    m_rootMargins[first] += static_cast<float>(m_board.Score(m_mover) - m_board.Score(engine::Opponent(m_mover)));
  }
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

}  // namespace solvar::ai
