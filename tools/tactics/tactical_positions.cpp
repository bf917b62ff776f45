#include "tactics/tactical_positions.h"

#include <algorithm>
#include <cstdlib>

#include "engine/capture_scan.h"

namespace solvar::tools {

bool operator==(const PointsDot& dot, const PointsNode& node) { return dot.X == node.X && dot.Y == node.Y; }

namespace {

constexpr int First = 0;   // the side that rings
constexpr int Second = 1;  // the side that is ringed

// The nodes of a rectangle's edge, clockwise from its top-left corner.
std::vector<PointsNode> Edge(int left, int top, int right, int bottom) {
  std::vector<PointsNode> edge;
  for (int x = left; x <= right; ++x) edge.push_back({x, top});
  for (int y = top + 1; y <= bottom; ++y) edge.push_back({right, y});
  for (int x = right - 1; x >= left; --x) edge.push_back({x, bottom});
  for (int y = bottom - 1; y > top; --y) edge.push_back({left, y});
  return edge;
}

void Add(std::vector<PointsDot>& dots, const std::vector<PointsNode>& nodes, int colour) {
  for (const PointsNode node : nodes) dots.push_back({node.X, node.Y, colour});
}

// The node outside a gap in a rectangle's edge, across the gap from the
// inside.
PointsNode Outside(int left, int top, int right, PointsNode gap) {
  if (gap.X == left) return {gap.X - 1, gap.Y};
  if (gap.X == right) return {gap.X + 1, gap.Y};
  return gap.Y == top ? PointsNode{gap.X, gap.Y - 1} : PointsNode{gap.X, gap.Y + 1};
}

// A ring of `colour` on the rectangle's edge with one gap, round the other
// side's dots on every other node inside (a diagonal checkerboard, as rings
// take them in real games): the dots inside first, then the ring. A dot of
// the other side stands outside the gap: without it a dot there would close
// the ring round the gap too, and no single dot could stop the ring.
void RingRound(std::vector<PointsDot>& dots, int left, int top, int right, int bottom, PointsNode gap, int colour) {
  for (int y = top + 1; y < bottom; ++y) {
    for (int x = left + 1; x < right; ++x) {
      if ((x + y) % 2 == 0) dots.push_back({x, y, 1 - colour});
    }
  }
  const PointsNode outside = Outside(left, top, right, gap);
  dots.push_back({outside.X, outside.Y, 1 - colour});
  std::vector<PointsNode> ring = Edge(left, top, right, bottom);
  ring.erase(std::remove(ring.begin(), ring.end(), gap), ring.end());
  Add(dots, ring, colour);
}

// Lone dots of each side in turn, far from everything (no dot within two
// nodes), so that the field is not bare round the fight: `count` of them at
// places drawn from `seed`.
void Scatter(std::vector<PointsDot>& dots, int width, int height, int count, unsigned seed) {
  const auto clear = [&dots](int x, int y) {
    return std::none_of(dots.begin(), dots.end(),
                        [x, y](const PointsDot& dot) { return std::abs(dot.X - x) <= 2 && std::abs(dot.Y - y) <= 2; });
  };
  int colour = First;
  for (int tries = 0; count > 0 && tries < 5000; ++tries) {
    seed = seed * 1103515245U + 12345U;
    const int x = static_cast<int>((seed >> 8) % static_cast<unsigned>(width));
    seed = seed * 1103515245U + 12345U;
    const int y = static_cast<int>((seed >> 8) % static_cast<unsigned>(height));
    if (!clear(x, y)) continue;
    dots.push_back({x, y, colour});
    colour = 1 - colour;
    --count;
  }
}

TacticalPosition Position(std::string name, engine::Rules rules, int toMove, Goal aim, int dots, PointsNode answer) {
  TacticalPosition position;
  position.Name = std::move(name) + (rules == engine::Rules::Sport ? " (sport)" : " (classic)");
  position.Rules = rules;
  position.ToMove = toMove;
  position.Aim = aim;
  position.Dots = dots;
  position.Answer = answer;
  return position;
}

// The first side's ring round 1, 24 or 80 dots on a field of 20 x 20, with
// one gap; `toMove` closes it (the first side) or blocks it (the second).
TacticalPosition OneRing(engine::Rules rules, int dotsInside, int toMove) {
  const std::string name = std::string(toMove == First ? "closes" : "blocks") + " a ring round " + std::to_string(dotsInside);
  const Goal aim = toMove == First ? Goal::Take : Goal::Block;
  if (dotsInside == 1) {
    TacticalPosition position = Position(name, rules, toMove, aim, 1, {6, 5});
    RingRound(position.Setup, 4, 4, 6, 6, position.Answer, First);
    Scatter(position.Setup, 20, 20, 8, 1);
    return position;
  }
  if (dotsInside == 24) {
    TacticalPosition position = Position(name, rules, toMove, aim, 24, {12, 7});
    RingRound(position.Setup, 3, 3, 12, 10, position.Answer, First);
    Scatter(position.Setup, 20, 20, 8, 2);
    return position;
  }
  TacticalPosition position = Position(name, rules, toMove, aim, 80, {9, 14});
  RingRound(position.Setup, 1, 3, 18, 14, position.Answer, First);
  Scatter(position.Setup, 20, 20, 8, 3);
  return position;
}

// Two rings with a gap each, round 3 and round 12 dots: the ringing side
// takes the larger (the other side would block it next), the ringed side
// blocks the larger.
TacticalPosition TwoRings(engine::Rules rules, int toMove) {
  TacticalPosition position =
      Position(std::string(toMove == First ? "takes" : "blocks") + " the larger of two rings", rules, toMove,
               toMove == First ? Goal::Take : Goal::Block, 12, {16, 11});
  Add(position.Setup, {{3, 3}, {4, 3}, {5, 3}, {4, 1}}, Second);
  std::vector<PointsNode> small = Edge(2, 2, 6, 4);
  small.erase(std::remove(small.begin(), small.end(), PointsNode{4, 2}), small.end());
  Add(position.Setup, small, First);
  RingRound(position.Setup, 9, 9, 16, 14, position.Answer, First);
  Scatter(position.Setup, 20, 20, 8, 4);
  return position;
}

// The second side's ring with a gap round `take` of the first side's dots,
// on the edge of the rectangle from (left, top), its gap on the right.
void SmallRingOfTheSecond(std::vector<PointsDot>& dots, int left, int top, int take) {
  const int right = left + take + 1;
  for (int x = left + 1; x < right; ++x) dots.push_back({x, top + 1, First});
  const PointsNode gap{right, top + 1};
  dots.push_back({right + 1, top + 1, First});
  std::vector<PointsNode> ring = Edge(left, top, right, top + 2);
  ring.erase(std::remove(ring.begin(), ring.end(), gap), ring.end());
  Add(dots, ring, Second);
}

// The ringed side could take a few dots in a ring of its own, but the other
// side threatens many more: it blocks.
TacticalPosition BlockRatherThanCapture(engine::Rules rules) {
  TacticalPosition position = Position("blocks twenty rather than take two", rules, Second, Goal::Block, 20, {13, 14});
  RingRound(position.Setup, 8, 8, 17, 14, position.Answer, First);
  SmallRingOfTheSecond(position.Setup, 1, 1, 2);
  Scatter(position.Setup, 20, 20, 8, 5);
  return position;
}

// The same on the large field of 39 x 32, busy with lone dots: eighty dots
// in a ring with one gap, and ten of the other side's that the ringed side
// could take. The ringed side blocks; the ringing side closes (the ten it
// then loses are far fewer).
TacticalPosition LargeField(engine::Rules rules, int toMove) {
  TacticalPosition position =
      Position(std::string(toMove == First ? "closes" : "blocks") + " eighty on the large field, ten offered", rules, toMove,
               toMove == First ? Goal::Take : Goal::Block, 80, {21, 22});
  position.Width = 39;
  position.Height = 32;
  RingRound(position.Setup, 12, 11, 29, 22, position.Answer, First);
  SmallRingOfTheSecond(position.Setup, 3, 3, 10);
  Scatter(position.Setup, 39, 32, 40, 6);
  return position;
}

// Sport rules, the end of a game: the first side holds the left half with
// six empty rings of one node and two of the other side's dots captured,
// the second side the right half with three free nodes at the frame. The
// second side moves and must not play into a ring (its dot would be taken
// at once), though it has lost whatever it plays.
TacticalPosition KeepOutOfRings() {
  TacticalPosition position = Position("keeps out of the other side's rings", engine::Rules::Sport, Second,
                                       Goal::KeepDot, 0, {9, 1});
  position.Width = 10;
  position.Height = 10;
  const std::vector<PointsNode> holes = {{1, 1}, {3, 1}, {1, 3}, {3, 3}, {1, 5}, {3, 5}};
  const std::vector<PointsNode> neutral = {{9, 1}, {9, 4}, {9, 7}};
  Add(position.Setup, {{1, 8}, {2, 8}}, Second);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const PointsNode node{x, y};
      const bool taken = std::find(position.Setup.begin(), position.Setup.end(), node) != position.Setup.end();
      if (taken || std::find(holes.begin(), holes.end(), node) != holes.end() ||
          std::find(neutral.begin(), neutral.end(), node) != neutral.end()) {
        continue;
      }
      position.Setup.push_back({x, y, x < 5 ? First : Second});
    }
  }
  return position;
}

engine::Side SideOf(int colour) { return colour == 0 ? engine::Side::Own : engine::Side::Rival; }

// The side's dot played on the node by the rules; returns the other side's
// dots it took.
int Play(engine::Board& board, engine::Side side, engine::Node node, engine::Rules rules) {
  const engine::CellCounts before = engine::CountCells(board);
  engine::PlaceDot(board, node, side);
  engine::CaptureAfterMove(board, side, node, nullptr, rules);
  const engine::CellCounts after = engine::CountCells(board);
  return side == engine::Side::Own ? after.OwnScore - before.OwnScore : after.RivalScore - before.RivalScore;
}

// The most the side can take with one dot.
int BestTake(const engine::Board& board, engine::Side side, engine::Rules rules) {
  int best = 0;
  for (int x = 1; x < board.FieldWidth(); ++x) {
    for (int y = 1; y < board.FieldHeight(); ++y) {
      if (board.At(x, y) != engine::csFree) continue;
      engine::Board after = board;
      best = std::max(best, Play(after, side, {x, y}, rules));
    }
  }
  return best;
}

}  // namespace

bool TacticalPosition::Solved(PointsNode move) const {
  engine::Board board = BoardOf(*this);
  const engine::Node node{move.X + 1, move.Y + 1};
  if (!board.IsPlayable(node.X, node.Y) || board.At(node) != engine::csFree) return false;
  const engine::Side mover = SideOf(ToMove);
  const int taken = Play(board, mover, node, Rules);
  switch (Aim) {
    case Goal::Take:
      return taken >= Dots;
    case Goal::Block:
      return BestTake(board, engine::Opponent(mover), Rules) < Dots;
    case Goal::KeepDot:
      return board.At(node) == engine::DotCode(mover);
  }
  return false;
}

std::vector<TacticalPosition> TacticalSuite() {
  std::vector<TacticalPosition> suite;
  for (const engine::Rules rules : {engine::Rules::Classic, engine::Rules::Sport}) {
    for (const int dots : {1, 24, 80}) suite.push_back(OneRing(rules, dots, First));
    for (const int dots : {24, 80}) suite.push_back(OneRing(rules, dots, Second));
    suite.push_back(TwoRings(rules, First));
    suite.push_back(TwoRings(rules, Second));
    suite.push_back(BlockRatherThanCapture(rules));
    suite.push_back(LargeField(rules, First));
    suite.push_back(LargeField(rules, Second));
  }
  suite.push_back(KeepOutOfRings());
  return suite;
}

engine::Board BoardOf(const TacticalPosition& position) {
  engine::Board board;
  board.SetFieldSize(position.Width + 1, position.Height + 1);
  engine::FrameBoard(board);
  for (const PointsDot& dot : position.Setup) {
    const engine::Node node{dot.X + 1, dot.Y + 1};
    if (board.At(node) != engine::csFree) continue;
    const engine::Side side = dot.Colour == 0 ? engine::Side::Own : engine::Side::Rival;
    engine::PlaceDot(board, node, side);
    engine::CaptureAfterMove(board, side, node, nullptr, position.Rules);
  }
  return board;
}

}  // namespace solvar::tools
