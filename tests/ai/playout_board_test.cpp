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

// Free nodes the side's walls cut off from the frame, by a slow fill.
std::vector<bool> EnclosedBy(const PlayoutBoard& fast, Side side) {
  std::vector<bool> reached(static_cast<std::size_t>(fast.Stride() * (fast.Height() + 1)), false);
  std::vector<int> stack;
  for (int cell = 0; cell < static_cast<int>(reached.size()); ++cell) {
    const engine::Node node = fast.NodeOf(cell);
    const bool nextToFrame = node.X == 1 || node.Y == 1 || node.X == fast.Width() - 1 || node.Y == fast.Height() - 1;
    if (nextToFrame && !fast.IsBorder(cell) && !fast.IsWall(cell, side)) stack.push_back(cell);
  }
  while (!stack.empty()) {
    const int cell = stack.back();
    stack.pop_back();
    if (reached[static_cast<std::size_t>(cell)]) continue;
    reached[static_cast<std::size_t>(cell)] = true;
    for (const int next : fast.Neighbours(cell)) {
      if (!fast.IsBorder(next) && !fast.IsWall(next, side)) stack.push_back(next);
    }
  }
  std::vector<bool> enclosed(reached.size(), false);
  for (int i = 0; i < fast.FreeCount(); ++i) {
    const int cell = fast.FreeCell(i);
    enclosed[static_cast<std::size_t>(cell)] = !reached[static_cast<std::size_t>(cell)];
  }
  return enclosed;
}

// What a dot would take, asked before it is played, is what playing it
// gains; and under the sport rules the board knows which free nodes lie in
// each side's empty rings, as a fill from the frame finds them.
TEST_P(PlayoutBoardRules, ForeseesWhatADotTakesAndKnowsTheEmptyRings) {
  const engine::Rules rules = GetParam();
  engine::Random random(5);
  int valued = 0;
  int ringed = 0;
  for (int game = 0; game < 60; ++game) {
    SCOPED_TRACE(game);
    Board board = test::FramedBoard(15 + random.NextBelow(20), 15 + random.NextBelow(15));
    PlayoutBoard fast;
    fast.Load(board, rules);
    Side mover = Side::Own;
    while (fast.FreeCount() > 0) {
      const int cell = fast.FreeCell(random.NextBelow(fast.FreeCount()));
      const int foreseen = fast.CaptureValue(cell, mover);
      const int mine = fast.Score(mover);
      const int theirs = fast.Score(engine::Opponent(mover));
      fast.Play(cell, mover);
      const int gained = fast.Score(mover) - mine + std::max(0, theirs - fast.Score(engine::Opponent(mover)));
      ASSERT_EQ(foreseen, gained);
      valued += foreseen > 0 ? 1 : 0;
      if (random.NextBelow(3) != 0) mover = engine::Opponent(mover);
      if (rules != engine::Rules::Sport) {
        for (int i = 0; i < fast.FreeCount(); ++i) ASSERT_FALSE(fast.InAnyRing(fast.FreeCell(i)));
        continue;
      }
      for (const Side side : {Side::Own, Side::Rival}) {
        const std::vector<bool> enclosed = EnclosedBy(fast, side);
        for (int i = 0; i < fast.FreeCount(); ++i) {
          const int free = fast.FreeCell(i);
          ASSERT_EQ(fast.InRingOf(free, side), enclosed[static_cast<std::size_t>(free)]) << free;
          ringed += enclosed[static_cast<std::size_t>(free)] ? 1 : 0;
        }
      }
    }
  }
  EXPECT_GT(valued, 500);
  if (rules == engine::Rules::Sport) {
    EXPECT_GT(ringed, 1000);
  }
}

TEST(PlayoutBoard, LoadedPositionKnowsItsEmptyRingsUnderTheSportRules) {
  Board board = test::FramedBoard(15, 15);
  test::Put(board, engine::csOwn, {{5, 4}, {4, 5}, {6, 5}, {5, 6}, {9, 9}});
  PlayoutBoard fast;
  fast.Load(board, engine::Rules::Sport);
  EXPECT_TRUE(fast.InRingOf(fast.CellOf({5, 5}), Side::Own));
  EXPECT_FALSE(fast.InRingOf(fast.CellOf({5, 5}), Side::Rival));
  EXPECT_FALSE(fast.InAnyRing(fast.CellOf({7, 7})));
  // A dot of side 2 played there is taken at once.
  EXPECT_EQ(fast.Play(fast.CellOf({5, 5}), Side::Rival), 0);
  EXPECT_EQ(fast.Score(Side::Own), 1);
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
