#include <gtest/gtest.h>

#include "ai/threat.h"
#include "support/board_builder.h"

namespace solvar::ai {
namespace {

using engine::Board;
using engine::csOwn;
using engine::csRival;
using engine::Side;
using test::FramedBoard;
using test::Put;

ThreatResult Result(int level, int x, int y) { return ThreatResult{level, x, y}; }

class ThreatTest : public ::testing::Test {
 protected:
  ThreatResult RivalThreat() { return EvaluateThreat(board, Side::Rival); }
  Board board = FramedBoard();
};

TEST_F(ThreatTest, NothingToEncloseOnAnEmptyFieldOrAtTheFrame) {
  EXPECT_EQ(RivalThreat(), Result(255, -1, -1));
  Put(board, csOwn, {{1, 5}});
  EXPECT_EQ(RivalThreat(), Result(255, -1, -1));
}

TEST_F(ThreatTest, SingleDotHasLevelFourAndItsLeftNodeComesFirst) {
  Put(board, csOwn, {{5, 5}});
  EXPECT_EQ(RivalThreat(), Result(4, 4, 5));
}

TEST_F(ThreatTest, NodeSharedByTwoGroupsOutweighsTheOthers) {
  Put(board, csOwn, {{5, 5}, {7, 5}});
  EXPECT_EQ(RivalThreat(), Result(4, 6, 5));
}

TEST_F(ThreatTest, TwoDotsSideBySideAreOneGroup) {
  Put(board, csOwn, {{5, 5}, {6, 5}});
  EXPECT_EQ(RivalThreat(), Result(6, 4, 5));
}

TEST_F(ThreatTest, PocketIsNotPlayedAboveLevelOne) {
  Put(board, csOwn, {{4, 6}, {6, 6}, {5, 7}});
  EXPECT_EQ(RivalThreat(), Result(4, 6, 7));
}

TEST_F(ThreatTest, WallNextToAGroupLowersItsLevelAndUndoesThePocket) {
  // (5, 6) now scores 2 and is shared by three groups: its copy for the group
  // of (4, 6) carries the merged weight 5 and wins at level 3.
  Put(board, csOwn, {{4, 6}, {6, 6}, {5, 7}});
  Put(board, csRival, {{4, 5}});
  EXPECT_EQ(RivalThreat(), Result(3, 5, 6));
}

class FramePositionTest : public ThreatTest {
 protected:
  void SetUp() override {
    Put(board, csOwn, {{1, 2}, {2, 1}, {3, 2}, {5, 1}, {4, 2}, {4, 3}, {6, 2}, {6, 3}});
    Put(board, csRival, {{2, 2}, {5, 2}, {5, 3}});
  }
};

TEST_F(FramePositionTest, LaterScannedGroupWinsATieOfLevelOne) {
  EXPECT_EQ(EvaluateThreat(board, Side::Own), Result(1, 5, 4));
}

TEST_F(FramePositionTest, GroupsAtTheFrameCountForNothing) {
  EXPECT_EQ(EvaluateThreat(board, Side::Rival), Result(4, 6, 1));
}

TEST_F(ThreatTest, OnlyCandidatesAtNodeTenTenAreDumpedAndOnlyForSideTwo) {
  struct Dump : ThreatObserver {
    void OnCandidateDump(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
  } dump;
  Put(board, csOwn, {{10, 11}, {9, 10}});
  Put(board, csRival, {{11, 10}});
  EvaluateThreat(board, Side::Rival, &dump);
  EXPECT_EQ(dump.lines, (std::vector<std::string>{"10 10 1", "10 10 1"}));
  dump.lines.clear();
  Put(board, csRival, {{10, 10}});
  EvaluateThreat(board, Side::Own, &dump);
  EXPECT_TRUE(dump.lines.empty());
}

TEST_F(ThreatTest, SurroundedGroupWithNoFreeNeighbourGivesNoNode) {
  Put(board, csOwn, {{5, 5}});
  Put(board, csRival, {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
  EXPECT_EQ(RivalThreat(), Result(0, -1, -1));
}

TEST_F(ThreatTest, SeveralHundredFillsNeverTakeAGroupAtTheFrameForEnclosable) {
  // The first fill of the corridor group (row 2, then down column 13 to the
  // frame) is followed by 250 fills of groups at the frame before the dot
  // (14, 9) beside the corridor is reached. It belongs to the corridor's
  // group and can never be enclosed.
  for (int x = 2; x <= 13; ++x) board.Set(x, 2, csOwn);
  for (int y = 3; y <= 30; ++y) board.Set(13, y, csOwn);
  for (int x = 1; x <= 10; ++x)
    for (int y = 4; y <= 30; ++y) board.Set(x, y, csOwn);
  for (int y = 1; y <= 7; ++y) board.Set(14, y, csOwn);
  Put(board, csOwn, {{14, 9}});
  EXPECT_EQ(RivalThreat(), Result(255, -1, -1));
}

TEST_F(ThreatTest, CandidateOfAGroupAtTheFrameCountsForNoOtherGroup) {
  // (3, 2) at the frame's side group and (3, 4) share the free node (3, 3).
  Put(board, csOwn, {{3, 1}, {3, 2}, {3, 4}});
  EXPECT_EQ(RivalThreat(), Result(4, 2, 4));
}

}  // namespace
}  // namespace solvar::ai
