#include <gtest/gtest.h>

#include "support/board_builder.h"

namespace solvar::engine {
namespace {

using test::FramedBoard;
using test::Put;

bool IsFrame(const Board& b, int x, int y) {
  return x == 0 || y == 0 || x == b.FieldWidth() || y == b.FieldHeight();
}

void ExpectFramedAndEmpty(const Board& board) {
  for (int x = 0; x <= board.FieldWidth(); ++x) {
    for (int y = 0; y <= board.FieldHeight(); ++y) {
      ASSERT_EQ(board.At(x, y), IsFrame(board, x, y) ? csBorder : csFree) << x << "," << y;
    }
  }
}

TEST(Board, EveryAllowedSizeIsFramedAndCounted) {
  struct Case { int W, H, Free; };
  for (const Case c : {Case{31, 31, 900}, Case{45, 35, 1496}, Case{15, 15, 196}, Case{45, 15, 616}}) {
    const Board board = FramedBoard(c.W, c.H);
    ExpectFramedAndEmpty(board);
    const CellCounts counts = CountCells(board);
    EXPECT_EQ(counts.OwnScore, 0);
    EXPECT_EQ(counts.RivalScore, 0);
    EXPECT_EQ(counts.FreeCount, c.Free);
    EXPECT_EQ(board.PlayableCount(), c.Free);
  }
}

TEST(Board, LargerFieldAfterAGameLeavesNoStrayFrame) {
  Board board = FramedBoard(31, 31);
  Put(board, csOwn, {{3, 3}, {30, 30}});
  ClearBoard(board);
  ASSERT_TRUE(board.SetFieldSize(35, 35));
  FrameBoard(board);
  ExpectFramedAndEmpty(board);
  EXPECT_EQ(CountCells(board).FreeCount, 1156);
}

TEST(Board, FrameKeepsAPreparedPosition) {
  Board board = FramedBoard();
  Put(board, csOwn, {{4, 4}});
  Put(board, csRivalArea, {{5, 5}});
  FrameBoard(board);
  EXPECT_EQ(board.At(4, 4), csOwn);
  EXPECT_EQ(board.At(5, 5), csRivalArea);
}

TEST(Board, CountsOnlyCapturedDotsAndFreeNodes) {
  Board board = FramedBoard();
  int placed = 0;
  auto fill = [&](CellState code, int n) {
    for (int i = 0; i < n; ++i, ++placed) board.Set(1 + placed % 29, 1 + placed / 29, code);
  };
  fill(csRivalCaptured, 5);
  fill(csOwnCaptured, 2);
  fill(csOwnArea, 10);
  fill(csOwn, 8);
  const CellCounts counts = CountCells(board);
  EXPECT_EQ(counts.OwnScore, 5);
  EXPECT_EQ(counts.RivalScore, 2);
  EXPECT_EQ(counts.FreeCount, 900 - 25);
}

TEST(Board, ClearKeepsTheFrameAndEmptiesTheField) {
  Board board = FramedBoard(20, 17);
  Put(board, csOwnCaptured, {{2, 2}});
  Put(board, csRivalArea, {{19, 16}});
  PlaceDot(board, {5, 6}, Side::Rival);
  ClearBoard(board);
  ExpectFramedAndEmpty(board);
  EXPECT_EQ(CountCells(board).FreeCount, 19 * 16);
}

TEST(Board, PlaceDotWritesTheSidesCode) {
  Board board = FramedBoard();
  PlaceDot(board, {7, 8}, Side::Own);
  PlaceDot(board, {8, 7}, Side::Rival);
  EXPECT_EQ(board.At(7, 8), csOwn);
  EXPECT_EQ(board.At(8, 7), csRival);
}

TEST(Board, RefusesASizeItCannotHold) {
  Board board;
  EXPECT_FALSE(board.SetFieldSize(46, 20));
  EXPECT_FALSE(board.SetFieldSize(20, 36));
  EXPECT_FALSE(board.SetFieldSize(-1, 20));
  EXPECT_EQ(board.FieldWidth(), 31);
  EXPECT_TRUE(board.SetFieldSize(45, 35));
}

TEST(Board, GameEndsWhenNoFreeNodeIsLeft) {
  EXPECT_TRUE(IsGameOver(CellCounts{3, 1, 0}));
  EXPECT_FALSE(IsGameOver(CellCounts{0, 0, 1}));
}

}  // namespace
}  // namespace solvar::engine
