#include <gtest/gtest.h>

#include "engine/outline.h"
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

TEST(Outline, TwoLoneDotsSideBySideBothBecomeVertices) {
  Board board = FramedBoard();
  // A 4 x 3 block ringed by side 1 with side-1 dots at (5, 6) and (6, 6).
  for (int x = 4; x <= 7; ++x) Put(board, csOwn, {{x, 4}, {x, 8}});
  for (int y = 5; y <= 7; ++y) Put(board, csOwn, {{3, y}, {8, y}});
  Put(board, csOwn, {{5, 6}, {6, 6}});
  const Vertices vertices = OutlineOfScan(board, Side::Own);
  EXPECT_EQ(std::count(vertices.begin(), vertices.end(), Node{5, 6}), 1);
  EXPECT_EQ(std::count(vertices.begin(), vertices.end(), Node{6, 6}), 1);
}

TEST(Outline, ShortListsStayAsTheyAre) {
  EXPECT_EQ(BuildOutline(CellList{{2, 2, 0}, {9, 9, 1}}), (Vertices{{9, 9}, {2, 2}}));
  EXPECT_TRUE(BuildOutline(CellList{}).empty());
}

}  // namespace
}  // namespace solvar::engine
