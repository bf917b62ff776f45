#include <gtest/gtest.h>

#include "ai/computer_move.h"
#include "support/board_builder.h"

namespace solvar::ai {
namespace {

using engine::Board;
using engine::csOwn;
using engine::csRival;
using engine::Node;
using engine::Side;
using test::FramedBoard;
using test::Put;

class ComputerChoiceTest : public ::testing::Test {
 protected:
  std::optional<Node> Choose(Side mover = Side::Rival) {
    return ChooseComputerNode(board, mover, ChoiceContext{random, lastPlayerMove, workspace});
  }

  Board board = FramedBoard();
  engine::Random random{5};
  ThreatWorkspace workspace;
  Node lastPlayerMove{};
};

TEST_F(ComputerChoiceTest, AttacksASingleDotFromItsLeft) {
  Put(board, csOwn, {{5, 5}});
  lastPlayerMove = {5, 5};
  EXPECT_EQ(Choose(), (Node{4, 5}));
}

TEST_F(ComputerChoiceTest, BlocksAThreatOfLevelOneOrTwo) {
  Put(board, csRival, {{10, 10}});
  Put(board, csOwn, {{9, 10}, {10, 9}, {11, 10}});
  EXPECT_EQ(Choose(), (Node{10, 11}));
  board.Set(11, 10, engine::csFree);
  EXPECT_EQ(Choose(), (Node{10, 11}));
}

TEST_F(ComputerChoiceTest, ClosesItsOwnEnclosureRatherThanBlockAnEqualThreat) {
  Put(board, csRival, {{10, 10}});
  Put(board, csOwn, {{9, 10}, {10, 9}, {11, 10}});
  Put(board, csOwn, {{20, 20}});
  Put(board, csRival, {{19, 20}, {20, 19}, {21, 20}});
  EXPECT_EQ(Choose(), (Node{20, 21}));
}

TEST_F(ComputerChoiceTest, ExtendsBeyondThePlayersTwoDotsAtTheFrame) {
  Put(board, csOwn, {{4, 30}, {5, 30}});
  lastPlayerMove = {5, 30};
  EXPECT_EQ(Choose(), (Node{6, 30}));
}

TEST_F(ComputerChoiceTest, AttackOfLevelElevenIsIgnoredAndLevelTenIsPlayed) {
  lastPlayerMove = {14, 10};
  for (int x = 10; x <= 14; ++x) board.Set(x, 10, csOwn);
  Put(board, csRival, {{10, 9}});
  EXPECT_EQ(EvaluateThreat(board, Side::Rival).Level, 11);
  EXPECT_EQ(Choose(), (Node{15, 10}));
  board.Set(11, 9, csRival);
  EXPECT_EQ(EvaluateThreat(board, Side::Rival).Level, 10);
  EXPECT_EQ(Choose(), (Node{9, 10}));
}

TEST_F(ComputerChoiceTest, OpeningMoveIsARandomFreeNodeReplayedBySeed) {
  const auto first = Choose();
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(board.IsPlayable(first->X, first->Y));
  engine::Random sameSeed{5};
  EXPECT_EQ(ChooseComputerNode(FramedBoard(), Side::Rival, ChoiceContext{sameSeed, {}, workspace}), first);
}

TEST_F(ComputerChoiceTest, OpensTheNextGameBesideThePlayersLastDot) {
  lastPlayerMove = {7, 8};
  EXPECT_EQ(Choose(), (Node{6, 8}));
}

TEST_F(ComputerChoiceTest, LastDotFromALargerFieldLeadsToAPlayableNode) {
  board = FramedBoard(15, 15);
  lastPlayerMove = {15, 5};
  EXPECT_EQ(Choose(), (Node{14, 5}));
  lastPlayerMove = {40, 30};
  const auto node = Choose();
  ASSERT_TRUE(node.has_value());
  EXPECT_TRUE(board.IsPlayable(node->X, node->Y));
}

TEST_F(ComputerChoiceTest, NeverChoosesATakenNodeWhenTheThreatNodeIsNotFree) {
  // A group already ringed but not yet captured has level 0 and no node.
  Put(board, csOwn, {{5, 5}});
  Put(board, csRival, {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
  lastPlayerMove = {5, 5};
  const auto node = Choose();
  ASSERT_TRUE(node.has_value());
  EXPECT_EQ(board.At(*node), engine::csFree);
}

TEST_F(ComputerChoiceTest, FullFieldGivesNoNode) {
  board = FramedBoard(15, 15);
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) board.Set(x, y, (x + y) % 2 ? csOwn : engine::csRivalArea);
  EXPECT_FALSE(Choose().has_value());
}

}  // namespace
}  // namespace solvar::ai
