// The tactical suite: each position judges a move by what it does, and the
// strong computer solves every one at a fixed number of random games.
#include <gtest/gtest.h>

#include "ai/strong_search.h"
#include "engine/capture_scan.h"
#include "tactics/tactical_positions.h"

namespace solvar::tools {
namespace {

// A free node far from the fight: a move there solves nothing.
PointsNode Elsewhere(const TacticalPosition& position) {
  const engine::Board board = BoardOf(position);
  for (int y = position.Height - 1; y >= 0; --y) {
    for (int x = position.Width - 1; x >= 0; --x) {
      if (board.At(x + 1, y + 1) != engine::csFree) continue;
      if (std::abs(x - position.Answer.X) + std::abs(y - position.Answer.Y) > 4) return {x, y};
    }
  }
  return position.Answer;
}

TEST(TacticalSuite, JudgesAMoveByWhatItDoes) {
  const std::vector<TacticalPosition> suite = TacticalSuite();
  for (const TacticalPosition& position : suite) {
    SCOPED_TRACE(position.Name);
    EXPECT_TRUE(position.Solved(position.Answer));
    if (position.Aim != Goal::KeepDot) {
      EXPECT_FALSE(position.Solved(Elsewhere(position)));
    }
    EXPECT_FALSE(position.Solved({-1, 0}));
  }
  const TacticalPosition& rings = suite.back();
  ASSERT_EQ(rings.Aim, Goal::KeepDot);
  EXPECT_FALSE(rings.Solved({1, 1}));  // inside a ring of the other side
  const engine::CellCounts counts = engine::CountCells(BoardOf(rings));
  EXPECT_EQ(counts.OwnScore, 2);
  EXPECT_EQ(counts.FreeCount, 9);
}

TEST(TacticalSuite, TheStrongComputerSolvesEveryPositionAtAFixedNumberOfGames) {
  for (const TacticalPosition& position : TacticalSuite()) {
    for (const std::uint64_t seed : {1U, 2U}) {
      SCOPED_TRACE(position.Name + ", seed " + std::to_string(seed));
      ai::SearchLimits limits;
      limits.Playouts = 1000;
      limits.Threads = 1;
      limits.Rules = position.Rules;
      const auto move = ai::ChooseStrongNode(BoardOf(position), position.ToMove == 0 ? engine::Side::Own : engine::Side::Rival,
                                             limits, seed);
      ASSERT_TRUE(move.has_value());
      EXPECT_TRUE(position.Solved({move->X - 1, move->Y - 1})) << move->X - 1 << " " << move->Y - 1;
    }
  }
}

}  // namespace
}  // namespace solvar::tools
