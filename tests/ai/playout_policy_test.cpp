// The random games' choice of moves: captures and saves by what they are
// worth, and never a dot into a ring while another node is free.
#include <gtest/gtest.h>

#include <map>

#include "ai/playout_policy.h"
#include "ai/tactics.h"
#include "support/board_builder.h"

namespace solvar::ai {
namespace {

using engine::Board;
using engine::csOwn;
using engine::csRival;
using engine::Side;
using test::FramedBoard;
using test::Put;

// Side 1 rings one dot of side 2 at (4, 4) with its gap at (5, 4), and five
// dots of side 2 in a ring from (10, 9) to (16, 11) with its gap at (16, 10).
Board TwoCapturesForSideOne() {
  Board board = FramedBoard(20, 20);
  Put(board, csRival, {{4, 4}, {11, 10}, {12, 10}, {13, 10}, {14, 10}, {15, 10}, {17, 10}, {6, 4}});
  Put(board, csOwn, {{3, 3}, {4, 3}, {5, 3}, {3, 4}, {3, 5}, {4, 5}, {5, 5}});
  for (int x = 10; x <= 16; ++x) Put(board, csOwn, {{x, 9}, {x, 11}});
  Put(board, csOwn, {{10, 10}});
  return board;
}

std::map<int, int> Choices(PlayoutBoard& board, Side toMove, int draws) {
  PlayoutPolicy policy;
  Closers closers;
  Tactics ignored;
  FindOneMoveTactics(board, toMove, ignored, &closers);
  FastRandom random(9);
  std::map<int, int> chosen;
  for (int i = 0; i < draws; ++i) {
    policy.Start(closers);
    ++chosen[policy.Choose(board, toMove, random)];
  }
  return chosen;
}

TEST(PlayoutPolicy, TakesAndSavesMostOftenAndTheLargerMore) {
  PlayoutBoard board;
  board.Load(TwoCapturesForSideOne());
  const int one = board.CellOf({5, 4});
  const int five = board.CellOf({16, 10});
  for (const Side toMove : {Side::Own, Side::Rival}) {
    SCOPED_TRACE(toMove == Side::Own ? "captures" : "saves");
    std::map<int, int> chosen = Choices(board, toMove, 3000);
    EXPECT_GT(chosen[one] + chosen[five], 2500);
    EXPECT_GT(chosen[five], 3 * chosen[one]);
    EXPECT_GT(chosen[one], 200);
  }
}

// Sport rules: side 1 walls off the left of the field into rings of one
// node; side 2's rings of one node lie on the right.
Board RingsOfBothSides(int plainFreeNodes) {
  Board board = FramedBoard(15, 15);
  for (int x = 1; x < 15; ++x) {
    for (int y = 1; y < 15; ++y) board.Set(x, y, x < 7 ? csOwn : csRival);
  }
  for (int y = 2; y < 14; y += 2) {
    board.Set(3, y, engine::csFree);
    board.Set(11, y, engine::csFree);
  }
  for (int y = 1; y <= plainFreeNodes; ++y) board.Set(14, y * 2 - 1, engine::csFree);
  return board;
}

TEST(PlayoutPolicy, NeverPlaysIntoARingWhileAnotherNodeIsFreeAndFillsItsOwnFirst) {
  PlayoutBoard board;
  board.Load(RingsOfBothSides(2), engine::Rules::Sport);
  ASSERT_TRUE(board.InRingOf(board.CellOf({3, 2}), Side::Own));
  ASSERT_TRUE(board.InRingOf(board.CellOf({11, 2}), Side::Rival));
  for (const auto& [cell, times] : Choices(board, Side::Own, 2000)) {
    EXPECT_FALSE(board.InAnyRing(cell)) << cell;
  }
  board.Load(RingsOfBothSides(0), engine::Rules::Sport);
  for (const Side toMove : {Side::Own, Side::Rival}) {
    for (const auto& [cell, times] : Choices(board, toMove, 500)) EXPECT_TRUE(board.InRingOf(cell, toMove)) << cell;
  }
}

// Side 2 holds the right of the field but for (7, 3) and (7, 4), and the
// same two nodes lower down: each has side 2 on three sides and a free node
// on the fourth. Side 1 does not play a dot there (side 2's next dot would
// take it) while the nodes of the top row are free.
TEST(PlayoutPolicy, DoesNotPlayADotTheOtherSideTakesNextWhileAnotherNodeIsFree) {
  Board start = FramedBoard(15, 15);
  for (int x = 1; x < 15; ++x)
    for (int y = 2; y < 15; ++y) start.Set(x, y, x < 6 ? csOwn : csRival);
  for (const int y : {3, 7, 11}) Put(start, engine::csFree, {{7, y}, {7, y + 1}});
  PlayoutBoard board;
  board.Load(start);
  ASSERT_TRUE(board.IsTrap(board.CellOf({7, 7}), Side::Own));
  for (const auto& [cell, times] : Choices(board, Side::Own, 1000)) EXPECT_EQ(board.NodeOf(cell).Y, 1) << cell;
}

// A ring that appears during a game is seen as soon as a dot next to its
// gap is played.
TEST(PlayoutPolicy, SeesARingThatADotLeavesOneNodeFromClosing) {
  Board start = FramedBoard(15, 15);
  Put(start, csRival, {{7, 7}});
  Put(start, csOwn, {{6, 7}, {7, 6}});
  PlayoutBoard board;
  board.Load(start);
  PlayoutPolicy policy;
  policy.Start(Closers{});
  const int last = board.CellOf({7, 8});
  board.Play(last, Side::Own);
  policy.Played(board, last, Side::Own);
  FastRandom random(4);
  int closes = 0;
  for (int i = 0; i < 100; ++i) closes += policy.Choose(board, Side::Own, random) == board.CellOf({8, 7}) ? 1 : 0;
  EXPECT_GT(closes, 80);
}

}  // namespace
}  // namespace solvar::ai
