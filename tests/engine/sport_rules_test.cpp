// The sport rules: a region is taken only when it holds a live dot of the
// other side; an empty ring stays free for both; a dot played into the
// other side's ring is taken at once unless its own move takes dots first.
#include <gtest/gtest.h>

#include "support/board_builder.h"

namespace solvar::engine {
namespace {

using test::FramedBoard;
using test::Put;
using test::RecordingObserver;

class SportRulesTest : public ::testing::Test {
 protected:
  // The side's dot and what it takes by the rules.
  int Play(Side side, Node node, Rules rules = Rules::Sport) {
    PlaceDot(board, node, side);
    return CaptureAfterMove(board, side, node, &observer, rules);
  }

  Board board = FramedBoard(15, 15);
  RecordingObserver observer;
};

TEST_F(SportRulesTest, EmptyRingTakesNothingAndStaysPlayableByBoth) {
  Put(board, csOwn, {{5, 4}, {4, 5}, {6, 5}});
  EXPECT_EQ(Play(Side::Own, {5, 6}), 0);
  EXPECT_EQ(board.At(5, 5), csFree);
  EXPECT_TRUE(observer.outlines.empty());
  // The classic rules take the same empty ring as area.
  Board classic = FramedBoard(15, 15);
  Put(classic, csOwn, {{5, 4}, {4, 5}, {6, 5}, {5, 6}});
  EXPECT_EQ(CaptureAfterMove(classic, Side::Own, {5, 6}, nullptr, Rules::Classic), 1);
  EXPECT_EQ(classic.At(5, 5), csOwnArea);
  // The ring's own side may play inside it: nothing is taken.
  EXPECT_EQ(Play(Side::Own, {5, 5}), 0);
  EXPECT_EQ(board.At(5, 5), csOwn);
}

TEST_F(SportRulesTest, DotPlayedIntoTheOtherSidesRingIsTakenAtOnce) {
  Put(board, csOwn, {{5, 4}, {4, 5}, {6, 5}, {5, 6}, {6, 4}, {7, 5}, {6, 6}});  // a ring around (5, 5) and (6, 5)
  EXPECT_EQ(Play(Side::Rival, {6, 5}), 1);
  EXPECT_EQ(board.At(6, 5), csRivalCaptured);
  EXPECT_EQ(board.At(5, 5), csOwnArea);  // a taken region cannot be played
  ASSERT_EQ(observer.outlines.size(), 1u);
  EXPECT_EQ(observer.outlines[0].Capturer, Side::Own);
  EXPECT_EQ(observer.outlines[0].DotsInside, 1);
  EXPECT_EQ(CountCells(board).OwnScore, 1);
}

TEST_F(SportRulesTest, DotThatClosesItsOwnRingInsideTheOtherSidesTakesFirst) {
  // Side 1's wide ring around the square x 3..9, y 3..9; inside it, side 2
  // has three dots round a side-1 dot at (6, 6) and closes the ring with the
  // fourth: side 2 takes the dot, and side 1's ring does not take side 2's.
  for (int i = 2; i <= 10; ++i) Put(board, csOwn, {{i, 2}, {i, 10}, {2, i}, {10, i}});
  Put(board, csOwn, {{6, 6}});
  Put(board, csRival, {{6, 5}, {5, 6}, {7, 6}});
  EXPECT_EQ(Play(Side::Rival, {6, 7}), 1);
  EXPECT_EQ(board.At(6, 6), csOwnCaptured);
  EXPECT_EQ(board.At(6, 7), csRival);
  EXPECT_EQ(board.At(5, 6), csRival);
  ASSERT_EQ(observer.outlines.size(), 1u);
  EXPECT_EQ(observer.outlines[0].Capturer, Side::Rival);
  // The next side-2 dot in the ring that takes nothing is taken with every
  // live side-2 dot of its region.
  EXPECT_EQ(Play(Side::Rival, {4, 4}), 1);
  EXPECT_EQ(board.At(4, 4), csRivalCaptured);
}

TEST_F(SportRulesTest, CaptureFreesTheCapturersOwnTakenDotsAndCountsOnlyLiveOnes) {
  // Side 2 holds a side-1 dot captured at (5, 5); side 1 rings the whole
  // with a side-2 dot inside: the side-2 dot is taken, the side-1 dot lives
  // again.
  board.Set(5, 5, csOwnCaptured);
  Put(board, csRival, {{5, 4}, {4, 5}, {6, 5}, {5, 6}});
  for (int i = 3; i <= 7; ++i) Put(board, csOwn, {{i, 3}, {3, i}, {7, i}});
  Put(board, csOwn, {{3, 7}, {4, 7}, {6, 7}});
  EXPECT_EQ(Play(Side::Own, {5, 7}), 1);
  EXPECT_EQ(board.At(5, 5), csOwn);
  EXPECT_EQ(board.At(5, 4), csRivalCaptured);
  EXPECT_EQ(CountCells(board).RivalScore, 0);
  EXPECT_EQ(CountCells(board).OwnScore, 4);
}

TEST_F(SportRulesTest, WholeFieldScanTakesOnlyRegionsWithALiveDot) {
  Put(board, csOwn, {{5, 4}, {4, 5}, {6, 5}, {5, 6}});  // empty
  Put(board, csOwn, {{10, 9}, {9, 10}, {11, 10}, {10, 11}});
  Put(board, csRival, {{10, 10}});
  EXPECT_EQ(ScanCaptures(board, Side::Own, &observer, Rules::Sport), 1);
  EXPECT_EQ(board.At(5, 5), csFree);
  EXPECT_EQ(board.At(10, 10), csRivalCaptured);
}

}  // namespace
}  // namespace solvar::engine
