#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine/outline.h"
#include "engine/random.h"
#include "support/board_builder.h"

namespace solvar::engine {
namespace {

using test::FramedBoard;
using test::Put;
using Vertices = std::vector<Node>;

Vertices OutlineOfScan(Board& board, Side side) {
  test::RecordingObserver observer;
  ScanCaptures(board, side, observer);
  EXPECT_EQ(observer.outlines.size(), 1u);
  return observer.outlines.empty() ? Vertices{} : observer.outlines[0].Vertices;
}

TEST(Outline, SingleNodeDiamondIsChainedAroundTheNode) {
  Board board = FramedBoard();
  Put(board, csOwn, {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
  EXPECT_EQ(OutlineOfScan(board, Side::Own), (Vertices{{6, 5}, {5, 4}, {4, 5}, {5, 6}}));
}

TEST(Outline, TwoNodesGiveAHexagon) {
  Board board = FramedBoard();
  Put(board, csRival, {{4, 5}, {5, 4}, {5, 6}, {6, 4}, {6, 6}, {7, 5}});
  EXPECT_EQ(OutlineOfScan(board, Side::Rival),
            (Vertices{{7, 5}, {6, 4}, {5, 4}, {4, 5}, {5, 6}, {6, 6}}));
}

TEST(Outline, BlockOfFourGivesAnOctagon) {
  Board board = FramedBoard();
  Put(board, csOwn, {{4, 5}, {4, 6}, {5, 4}, {6, 4}, {7, 5}, {7, 6}, {5, 7}, {6, 7}});
  EXPECT_EQ(OutlineOfScan(board, Side::Own),
            (Vertices{{7, 6}, {7, 5}, {6, 4}, {5, 4}, {4, 5}, {4, 6}, {5, 7}, {6, 7}}));
}

TEST(Outline, BoundaryHitsCountRegionNeighboursLessOne) {
  // Head first (7, 6), (6, 7), (7, 5), ... before chaining: the list as the
  // fill pushed it, read from the back.
  CellList boundary{{4, 5, 0}, {5, 4, 0}, {4, 6, 0}, {5, 7, 0}, {6, 4, 0}, {7, 5, 0}, {6, 7, 0}, {7, 6, 0}};
  EXPECT_EQ(BuildOutline(boundary),
            (Vertices{{7, 6}, {7, 5}, {6, 4}, {5, 4}, {4, 5}, {4, 6}, {5, 7}, {6, 7}}));
  // A cell met four times is a lone dot inside and is left out.
  boundary.push_back({9, 9, 3});
  EXPECT_EQ(BuildOutline(boundary).size(), 8u);
}

// Two lone dots side by side inside a region each have two region cells
// next to them, so the chain takes them as vertices and its polygon dips
// into the region; the capture's outline is then the ring round it, which
// covers them.
TEST(Outline, TwoLoneDotsSideBySideAreChainedButTheCapturesRingGoesRound) {
  Board board = FramedBoard();
  // A 4 x 3 block ringed by side 1 with side-1 dots at (5, 6) and (6, 6).
  for (int x = 4; x <= 7; ++x) Put(board, csOwn, {{x, 4}, {x, 8}});
  for (int y = 5; y <= 7; ++y) Put(board, csOwn, {{3, y}, {8, y}});
  Put(board, csOwn, {{5, 6}, {6, 6}});
  CellList boundary;
  for (int x = 4; x <= 7; ++x) boundary.push_back({static_cast<std::uint8_t>(x), 4, 0});
  boundary.push_back({5, 6, 2});
  boundary.push_back({6, 6, 2});
  const Vertices chain = BuildOutline(boundary);
  EXPECT_EQ(std::count(chain.begin(), chain.end(), Node{5, 6}), 1);
  EXPECT_EQ(std::count(chain.begin(), chain.end(), Node{6, 6}), 1);
  const Vertices ring = OutlineOfScan(board, Side::Own);
  EXPECT_EQ(ring, (Vertices{{3, 5}, {4, 4}, {5, 4}, {6, 4}, {7, 4}, {8, 5}, {8, 6}, {8, 7}, {7, 8}, {6, 8}, {5, 8},
                            {4, 8}, {3, 7}, {3, 6}}));
}

TEST(Outline, ShortListsStayAsTheyAre) {
  EXPECT_EQ(BuildOutline(CellList{{2, 2, 0}, {9, 9, 1}}), (Vertices{{9, 9}, {2, 2}}));
  EXPECT_TRUE(BuildOutline(CellList{}).empty());
}

// Whether the point lies strictly inside the polygon (even-odd), and not on
// an edge: the test's own reading, by crossings of a ray to the right.
bool StrictlyInside(Node p, const Vertices& polygon) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Node a = polygon[i];
    const Node b = polygon[j];
    const long long cross = static_cast<long long>(b.X - a.X) * (p.Y - a.Y) - static_cast<long long>(b.Y - a.Y) * (p.X - a.X);
    if (cross == 0 && std::min(a.X, b.X) <= p.X && p.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= p.Y &&
        p.Y <= std::max(a.Y, b.Y)) {
      return false;
    }
    if ((a.Y > p.Y) != (b.Y > p.Y)) {
      const double x = a.X + static_cast<double>(b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y);
      if (x > p.X) inside = !inside;
    }
  }
  return inside;
}

// Checks each capture as it is made: the cells that changed are the region;
// its outline must be a simple polygon whose inside holds every region cell
// and nothing but region cells and the capturer's own cells walled in by it.
class OutlineChecker : public CaptureObserver {
 public:
  explicit OutlineChecker(Board& board) : m_board(board), m_before(board) {}
  void Remember() { m_before = m_board; }
  void OnCapture(const Outline& outline) override {
    ++captures;
    std::vector<Node> region;
    for (int x = 1; x < m_board.FieldWidth(); ++x)
      for (int y = 1; y < m_board.FieldHeight(); ++y)
        if (m_board.At(x, y) != m_before.At(x, y)) region.push_back({x, y});
    m_before = m_board;
    ASSERT_FALSE(region.empty());
    ASSERT_TRUE(IsSimplePolygon(outline.Vertices)) << "crossed outline of " << outline.Vertices.size() << " vertices";
    for (const Node cell : region) ASSERT_TRUE(StrictlyInside(cell, outline.Vertices)) << cell.X << "," << cell.Y;
    for (int x = 1; x < m_board.FieldWidth(); ++x) {
      for (int y = 1; y < m_board.FieldHeight(); ++y) {
        const Node p{x, y};
        if (!StrictlyInside(p, outline.Vertices) || std::find(region.begin(), region.end(), p) != region.end()) continue;
        if (IsFreePocketOf(p, outline.Capturer)) continue;
        ASSERT_TRUE(IsTerritoryOf(m_board.At(p), outline.Capturer)) << "covers " << x << "," << y << " outside the region";
      }
    }
  }
  int captures = 0;

 private:
  // Under the sport rules an empty ring of the capturer's own stays free; a
  // ring round a region cannot leave out such a pocket inside the region
  // (it would need a hole), so it lies under the fill.
  bool IsFreePocketOf(Node p, Side capturer) const {
    if (m_board.At(p) != csFree) return false;
    for (const Node step : {Node{1, 0}, Node{-1, 0}, Node{0, 1}, Node{0, -1}}) {
      const CellState next = m_board.At(p.X + step.X, p.Y + step.Y);
      if (next != csFree && !IsTerritoryOf(next, capturer)) return false;
    }
    return true;
  }

  Board& m_board;
  Board m_before;
};

// Hundreds of random games of every size under both rule sets, with runs of
// several dots by one side so that long and winding rings close
// (SOLVAR_OUTLINE_GAMES=N plays N games instead of 300).
TEST(Outline, EveryCaptureOfRandomGamesIsOutlinedByASimpleRingRoundItsRegion) {
  const char* asked = std::getenv("SOLVAR_OUTLINE_GAMES");
  const int games = asked != nullptr ? std::max(1, std::atoi(asked)) : 300;
  Random random(2025);
  int captures = 0;
  for (int game = 0; game < games; ++game) {
    const Rules rules = game % 3 == 2 ? Rules::Sport : Rules::Classic;
    Board board = FramedBoard(MinFieldWidth + random.NextBelow(31), MinFieldHeight + random.NextBelow(21));
    OutlineChecker checker(board);
    std::vector<Node> free;
    for (int x = 1; x < board.FieldWidth(); ++x)
      for (int y = 1; y < board.FieldHeight(); ++y) free.push_back({x, y});
    Side mover = Side::Own;
    while (!free.empty()) {
      SCOPED_TRACE(game);
      const std::size_t pick = static_cast<std::size_t>(random.NextBelow(static_cast<int>(free.size())));
      const Node node = free[pick];
      free[pick] = free.back();
      free.pop_back();
      if (board.At(node) != csFree) continue;
      PlaceDot(board, node, mover);
      checker.Remember();
      CaptureAfterMove(board, mover, node, &checker, rules);
      if (::testing::Test::HasFatalFailure()) return;
      if (random.NextBelow(3) != 0) mover = Opponent(mover);
    }
    captures += checker.captures;
  }
  EXPECT_GT(captures, 5000 * games / 300);
}

// Prepared positions the random games seldom make: a lone capturer dot inside
// the region, a region that was the other side's area, and one dot closing
// rings on both its sides.
TEST(Outline, PreparedRingsAreOutlinedRoundTheirRegions) {
  Board board = FramedBoard(15, 15);
  OutlineChecker checker(board);
  // A 5 x 5 ring of side 1 with a side-1 dot alone in the middle.
  for (int i = 3; i <= 9; ++i) Put(board, csOwn, {{i, 3}, {i, 9}, {3, i}, {9, i}});
  Put(board, csOwn, {{6, 6}});
  board.Set(9, 6, csFree);
  PlaceDot(board, {9, 6}, Side::Own);
  checker.Remember();
  EXPECT_EQ(ScanCaptures(board, Side::Own, checker), 1);
  // Side 2's area taken back by side 1, then one dot between two rings.
  Board second = FramedBoard(15, 15);
  OutlineChecker secondChecker(second);
  Put(second, csRival, {{11, 2}, {10, 3}, {12, 3}, {11, 4}});
  second.Set(11, 3, csRivalArea);
  Put(second, csOwn, {{11, 1}, {10, 2}, {12, 2}, {9, 3}, {13, 3}, {10, 4}, {12, 4}, {11, 5}});
  Put(second, csOwn, {{2, 11}, {1, 12}, {3, 12}, {2, 13}, {4, 11}, {4, 13}, {5, 12}});
  second.Set(3, 12, csFree);
  Put(second, csOwn, {{3, 11}, {3, 13}});
  PlaceDot(second, {3, 12}, Side::Own);
  secondChecker.Remember();
  EXPECT_EQ(ScanCaptures(second, Side::Own, secondChecker), 3);
}

}  // namespace
}  // namespace solvar::engine
