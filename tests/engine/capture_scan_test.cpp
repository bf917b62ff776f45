#include <gtest/gtest.h>

#include <algorithm>

#include "support/board_builder.h"

namespace solvar::engine {
namespace {

using test::FramedBoard;
using test::Put;
using test::RecordingObserver;

class CaptureScanTest : public ::testing::Test {
 protected:
  int Scan(Side side) { return ScanCaptures(board, side, observer); }

  Board board = FramedBoard();
  RecordingObserver observer;
};

TEST_F(CaptureScanTest, DiagonalRingCapturesTheDotInside) {
  Put(board, csRival, {{5, 5}});
  Put(board, csOwn, {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
  EXPECT_EQ(Scan(Side::Own), 1);
  EXPECT_EQ(board.At(5, 5), csRivalCaptured);
  ASSERT_EQ(observer.outlines.size(), 1u);
  EXPECT_EQ(observer.outlines[0].Capturer, Side::Own);
  EXPECT_EQ(observer.outlines[0].DotsInside, 1);
  EXPECT_EQ(CountCells(board).OwnScore, 1);
}

TEST_F(CaptureScanTest, EmptyRegionBecomesArea) {
  Put(board, csOwn, {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
  EXPECT_EQ(Scan(Side::Own), 1);
  EXPECT_EQ(board.At(5, 5), csOwnArea);
  ASSERT_EQ(observer.outlines.size(), 1u);
  EXPECT_EQ(observer.outlines[0].DotsInside, 0);
  EXPECT_EQ(CountCells(board).FreeCount, 900 - 5);
}

TEST_F(CaptureScanTest, RingMissingOneNodeOrReachingTheFrameCapturesNothing) {
  // A ring of eight around (5, 5)..(6, 5) with (7, 5) left open.
  Put(board, csRival, {{5, 5}, {6, 5}});
  Put(board, csOwn, {{4, 5}, {5, 4}, {5, 6}, {6, 4}, {6, 6}});
  // A ring that leans on the frame does not enclose either.
  Put(board, csRival, {{1, 10}});
  Put(board, csOwn, {{1, 9}, {2, 10}, {1, 11}});
  EXPECT_EQ(Scan(Side::Own), 0);
  EXPECT_EQ(board.At(5, 5), csRival);
  EXPECT_EQ(board.At(1, 10), csRival);
  EXPECT_TRUE(observer.outlines.empty());
}

TEST_F(CaptureScanTest, TwoCellRegionIsOneCapture) {
  Put(board, csRival, {{5, 5}, {6, 5}});
  Put(board, csOwn, {{4, 5}, {5, 4}, {5, 6}, {6, 4}, {6, 6}, {7, 5}});
  EXPECT_EQ(Scan(Side::Own), 1);
  EXPECT_EQ(board.At(5, 5), csRivalCaptured);
  EXPECT_EQ(board.At(6, 5), csRivalCaptured);
  EXPECT_EQ(observer.outlines.size(), 1u);
  EXPECT_EQ(observer.outlines[0].DotsInside, 2);
}

TEST_F(CaptureScanTest, OwnDotInsideOwnRingStaysLive) {
  // Ring of side 1 around a 3 x 3 block whose centre is a side-1 dot.
  for (int i = 4; i <= 6; ++i) Put(board, csOwn, {{3, i}, {7, i}, {i, 3}, {i, 7}});
  for (int x = 4; x <= 6; ++x)
    for (int y = 4; y <= 6; ++y) board.Set(x, y, csRival);
  board.Set(5, 5, csOwn);
  EXPECT_EQ(Scan(Side::Own), 1);
  EXPECT_EQ(board.At(5, 5), csOwn);
  EXPECT_EQ(board.At(4, 4), csRivalCaptured);
  EXPECT_EQ(CountCells(board).OwnScore, 8);
  // The lone dot inside has region cells on all four sides: no vertex there.
  const auto& vertices = observer.outlines[0].Vertices;
  EXPECT_EQ(std::count(vertices.begin(), vertices.end(), Node{5, 5}), 0);
  EXPECT_EQ(vertices.size(), 12u);
}

TEST_F(CaptureScanTest, RecaptureTurnsEverythingInsideOver) {
  // Side 2 holds (5, 5) and (6, 5) as captured side-1 dots, with its own dot
  // and an area node inside the same enclosure.
  Put(board, csRival, {{5, 6}});
  Put(board, csOwnCaptured, {{5, 5}, {6, 5}});
  Put(board, csRivalArea, {{6, 6}});
  Put(board, csRival, {{4, 5}, {4, 6}, {5, 4}, {6, 4}, {7, 5}, {7, 6}, {5, 7}, {6, 7}});
  // Side 1 rings all of it from outside.
  for (int i = 4; i <= 7; ++i) Put(board, csOwn, {{3, i}, {8, i}, {i, 3}, {i, 8}});
  const int rivalScoreBefore = CountCells(board).RivalScore;
  EXPECT_EQ(rivalScoreBefore, 2);
  EXPECT_EQ(Scan(Side::Own), 1);
  EXPECT_EQ(board.At(5, 5), csOwn);
  EXPECT_EQ(board.At(6, 5), csOwn);
  EXPECT_EQ(board.At(5, 6), csRivalCaptured);
  EXPECT_EQ(board.At(4, 5), csRivalCaptured);
  EXPECT_EQ(board.At(6, 6), csOwnArea);
  const CellCounts counts = CountCells(board);
  EXPECT_EQ(counts.RivalScore, 0);
  EXPECT_EQ(counts.OwnScore, 9);
}

TEST_F(CaptureScanTest, CapturedDotTakenBackStopsCountingForTheOtherSide) {
  Put(board, csRival, {{5, 5}});
  Put(board, csOwn, {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
  Scan(Side::Own);
  EXPECT_EQ(CountCells(board).OwnScore, 1);
  // Side 2 rings the whole diamond and takes its dot back.
  Put(board, csRival, {{3, 5}, {4, 4}, {5, 3}, {6, 4}, {7, 5}, {6, 6}, {5, 7}, {4, 6}});
  Scan(Side::Rival);
  EXPECT_EQ(board.At(5, 5), csRival);
  EXPECT_EQ(board.At(4, 5), csOwnCaptured);
  EXPECT_EQ(CountCells(board).OwnScore, 0);
  EXPECT_EQ(CountCells(board).RivalScore, 4);
}

TEST_F(CaptureScanTest, TwoEnclosuresAreTakenInScanOrder) {
  Put(board, csOwn, {{10, 10}});
  Put(board, csRival, {{9, 10}, {10, 9}, {10, 11}, {11, 10}});
  Put(board, csOwn, {{3, 20}});
  Put(board, csRival, {{2, 20}, {3, 19}, {3, 21}, {4, 20}});
  EXPECT_EQ(Scan(Side::Rival), 2);
  ASSERT_EQ(observer.outlines.size(), 2u);
  EXPECT_EQ(observer.outlines[0].Vertices.front(), (Node{4, 20}));
  EXPECT_EQ(observer.outlines[1].Vertices.front(), (Node{11, 10}));
  EXPECT_EQ(observer.outlines[0].Capturer, Side::Rival);
  EXPECT_EQ(CountCells(board).RivalScore, 2);
}

TEST_F(CaptureScanTest, SeveralHundredFillsNeverTakeAnOpenRegionForEnclosed) {
  // The first fill runs along a corridor (row 2, then down column 13) to the
  // bottom frame. The single free node (14, 8) lies next to that corridor
  // and is otherwise walled in; 251 fills are started before it is reached.
  // It reaches the frame through the corridor and must stay free.
  for (int y = 1; y <= 30; ++y) board.Set(1, y, csOwn);
  for (int x = 2; x <= 13; ++x) board.Set(x, 1, csOwn);
  for (int x = 2; x <= 12; ++x) board.Set(x, 3, csOwn);
  for (int y = 3; y <= 30; ++y) board.Set(12, y, csOwn);
  Put(board, csOwn, {{14, 7}, {14, 9}, {15, 8}});
  EXPECT_EQ(Scan(Side::Own), 0);
  EXPECT_EQ(board.At(14, 8), csFree);
  EXPECT_TRUE(observer.outlines.empty());
}

TEST_F(CaptureScanTest, EnclosureFoundAfterManyFillsIsStillCaptured) {
  Put(board, csRival, {{29, 29}});
  Put(board, csOwn, {{28, 29}, {29, 28}, {29, 30}, {30, 29}});
  EXPECT_EQ(Scan(Side::Own), 1);
  EXPECT_EQ(board.At(29, 29), csRivalCaptured);
}

TEST_F(CaptureScanTest, BrokenFrameNeverLetsAFillLeaveTheBoard) {
  Board b = FramedBoard(45, 35);
  for (int x = 0; x <= 45; ++x) b.Set(x, 0, csFree);
  for (int y = 0; y <= 35; ++y) b.Set(45, y, csFree);
  Put(b, csOwn, {{44, 1}, {43, 0}, {45, 1}});
  EXPECT_EQ(ScanCaptures(b, Side::Own), 0);
  EXPECT_EQ(b.At(44, 0), csFree);
}

}  // namespace
}  // namespace solvar::engine
