// What the search knows before it starts: captures and blocks in one move,
// and the blocks of a capture in two.
#include <gtest/gtest.h>

#include <algorithm>

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

int ValueAt(const std::vector<Tactic>& list, int cell) {
  const auto found = std::find_if(list.begin(), list.end(), [cell](const Tactic& t) { return t.Cell == cell; });
  return found == list.end() ? 0 : found->Value;
}

// Side 2's ring from (3, 3) to (8, 7) round four dots of side 1, with a gap
// of two nodes at (8, 4) and (8, 5).
Board RingWithAGapOfTwo(engine::Rules rules) {
  Board board = FramedBoard(20, 20);
  Put(board, csOwn, {{4, 4}, {6, 4}, {5, 5}, {7, 6}});
  for (int x = 3; x <= 8; ++x) Put(board, csRival, {{x, 3}, {x, 7}});
  Put(board, csRival, {{3, 4}, {3, 5}, {3, 6}, {8, 6}});
  if (rules == engine::Rules::Classic) {
    engine::ScanCaptures(board, Side::Rival);
  }
  return board;
}

TEST(Tactics, OneMoveCapturesAndBlocksByWhatTheyTake) {
  Board board = FramedBoard(15, 15);
  Put(board, csRival, {{7, 7}, {7, 8}});
  Put(board, csOwn, {{6, 7}, {6, 8}, {7, 6}, {7, 9}, {8, 8}});
  Put(board, csOwn, {{11, 11}});
  Put(board, csRival, {{10, 11}, {11, 10}, {12, 11}});
  PlayoutBoard fast;
  fast.Load(board);
  Tactics tactics;
  Closers closers;
  FindOneMoveTactics(fast, Side::Own, tactics, &closers);
  EXPECT_EQ(ValueAt(tactics.Captures, fast.CellOf({8, 7})), 2);
  EXPECT_EQ(ValueAt(tactics.Blocks, fast.CellOf({11, 12})), 1);
  EXPECT_EQ(tactics.Captures.size() + tactics.Blocks.size(), 2U);
  EXPECT_EQ(closers[SideIndex(Side::Own)], std::vector<std::int16_t>{static_cast<std::int16_t>(fast.CellOf({8, 7}))});
}

TEST(Tactics, BothNodesOfAGapOfTwoBlockACaptureInTwoMoves) {
  for (const engine::Rules rules : {engine::Rules::Classic, engine::Rules::Sport}) {
    PlayoutBoard fast;
    fast.Load(RingWithAGapOfTwo(rules), rules);
    Tactics tactics;
    FindOneMoveTactics(fast, Side::Own, tactics);
    EXPECT_TRUE(tactics.Blocks.empty());
    PlayoutBoard scratch;
    FindTwoMoveThreats(fast, Side::Own, scratch, tactics);
    EXPECT_EQ(ValueAt(tactics.TwoMoveBlocks, fast.CellOf({8, 4})), 4);
    EXPECT_EQ(ValueAt(tactics.TwoMoveBlocks, fast.CellOf({8, 5})), 4);
    EXPECT_EQ(ValueAt(tactics.TwoMoveBlocks, fast.CellOf({12, 12})), 0);
  }
}

// Side 1's dots at (5, 5) and (7, 5), each half ringed by side 2: side 2's
// dot at (6, 5) between them leaves two rings to close, at (5, 6) and at
// (7, 6), and one dot blocks only one.
TEST(Tactics, ADotThatOpensTwoCapturesIsAFork) {
  for (const engine::Rules rules : {engine::Rules::Classic, engine::Rules::Sport}) {
    Board board = FramedBoard(15, 15);
    Put(board, csOwn, {{5, 5}, {7, 5}});
    Put(board, csRival, {{4, 5}, {5, 4}, {8, 5}, {7, 4}});
    PlayoutBoard fast;
    fast.Load(board, rules);
    Tactics tactics;
    FindOneMoveTactics(fast, Side::Own, tactics);
    ASSERT_TRUE(tactics.Blocks.empty());
    PlayoutBoard scratch;
    FindTwoMoveThreats(fast, Side::Own, scratch, tactics);
    EXPECT_EQ(ValueAt(tactics.Forks, fast.CellOf({6, 5})), 1);
    // A dot at (5, 6) opens one capture only, at (6, 5).
    EXPECT_EQ(ValueAt(tactics.Forks, fast.CellOf({5, 6})), 0);
    EXPECT_EQ(ValueAt(tactics.TwoMoveBlocks, fast.CellOf({5, 6})), 1);
    EXPECT_EQ(tactics.Forks.size(), 1U);
  }
}

}  // namespace
}  // namespace solvar::ai
