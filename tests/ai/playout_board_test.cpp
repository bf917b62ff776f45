// The fast board of the random games gives exactly what the capture scans
// give, move by move, over whole random games on every size.
#include <gtest/gtest.h>

#include "ai/playout_board.h"
#include "engine/capture_scan.h"
#include "engine/random.h"
#include "support/board_builder.h"

namespace solvar::ai {
namespace {

using engine::Board;
using engine::Side;

void ExpectSame(const PlayoutBoard& fast, const Board& board) {
  for (int x = 1; x < board.FieldWidth(); ++x)
    for (int y = 1; y < board.FieldHeight(); ++y)
      ASSERT_EQ(fast.At(fast.CellOf({x, y})), board.At(x, y)) << x << "," << y;
  const engine::CellCounts counts = engine::CountCells(board);
  ASSERT_EQ(fast.FreeCount(), counts.FreeCount);
  ASSERT_EQ(fast.Score(Side::Own), counts.OwnScore);
  ASSERT_EQ(fast.Score(Side::Rival), counts.RivalScore);
}

// Random games, sometimes with one side playing several dots in a row so
// that rings close often and regions are won back; under the sport rules
// dots are played into the other side's empty rings too.
class PlayoutBoardRules : public ::testing::TestWithParam<engine::Rules> {};

TEST_P(PlayoutBoardRules, AgreesWithTheCaptureScansOverWholeRandomGames) {
  const engine::Rules rules = GetParam();
  engine::Random random(77);
  int captures = 0;
  for (int game = 0; game < 120; ++game) {
    const int w = engine::MinFieldWidth + random.NextBelow(31);
    const int h = engine::MinFieldHeight + random.NextBelow(21);
    Board board = test::FramedBoard(w, h);
    PlayoutBoard fast;
    fast.Load(board, rules);
    Side mover = Side::Own;
    while (fast.FreeCount() > 0) {
      SCOPED_TRACE(game);
      const int cell = fast.FreeCell(random.NextBelow(fast.FreeCount()));
      fast.Play(cell, mover);
      const engine::CellCounts before = engine::CountCells(board);
      engine::PlaceDot(board, fast.NodeOf(cell), mover);
      engine::CaptureAfterMove(board, mover, fast.NodeOf(cell), nullptr, rules);
      const engine::CellCounts after = engine::CountCells(board);
      captures += (after.OwnScore + after.RivalScore) - (before.OwnScore + before.RivalScore) != 0 ? 1 : 0;
      ExpectSame(fast, board);
      if (random.NextBelow(3) != 0) mover = engine::Opponent(mover);
    }
  }
  EXPECT_GT(captures, 3000);  // the games do enclose, often
}

INSTANTIATE_TEST_SUITE_P(BothRuleSets, PlayoutBoardRules,
                         ::testing::Values(engine::Rules::Classic, engine::Rules::Sport),
                         [](const auto& param) { return param.param == engine::Rules::Classic ? "Classic" : "Sport"; });

TEST(PlayoutBoard, CountsOfALoadedPositionAndARingClosedAtTheFrame) {
  Board board = test::FramedBoard(15, 15);
  test::Put(board, engine::csRival, {{1, 2}});
  test::Put(board, engine::csOwn, {{1, 1}, {2, 2}, {5, 5}});
  board.Set(6, 6, engine::csOwnCaptured);
  PlayoutBoard fast;
  fast.Load(board);
  EXPECT_EQ(fast.Score(Side::Rival), 1);
  EXPECT_EQ(fast.FreeCount(), 196 - 5);
  // (1, 2) lies against the frame: a ring there does not enclose it.
  EXPECT_EQ(fast.Play(fast.CellOf({1, 3}), Side::Own), 0);
  EXPECT_EQ(fast.At(fast.CellOf({1, 2})), engine::csRival);
}

}  // namespace
}  // namespace solvar::ai
