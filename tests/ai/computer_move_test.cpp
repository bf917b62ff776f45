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

class RecordingMoveObserver : public MoveObserver {
 public:
  void OnDotPlaced(Node node, Side side) override { dots.emplace_back(node, side); }
  void OnMarkerMoved(Node node) override { markers.push_back(node); }
  void OnOutline(const engine::Outline& outline) override { outlines.push_back(outline); }
  void OnLogLine(std::string_view line) override { lines.emplace_back(line); }

  std::vector<std::pair<Node, Side>> dots;
  std::vector<Node> markers;
  std::vector<engine::Outline> outlines;
  std::vector<std::string> lines;
};

class ComputerMoveTest : public ::testing::Test {
 protected:
  std::optional<Node> Move(Side mover = Side::Rival) {
    return ComputerMove(board, mover, MoveContext{observer, random, lastPlayerMove});
  }

  Board board = FramedBoard();
  RecordingMoveObserver observer;
  engine::Random random{5};
  Node lastPlayerMove{};
};

TEST_F(ComputerMoveTest, AttacksASingleDotFromItsLeftAndReportsTheMove) {
  Put(board, csOwn, {{5, 5}});
  lastPlayerMove = {5, 5};
  EXPECT_EQ(Move(), (Node{4, 5}));
  EXPECT_EQ(board.At(4, 5), csRival);
  ASSERT_EQ(observer.dots.size(), 1u);
  EXPECT_EQ(observer.dots[0], std::make_pair(Node{4, 5}, Side::Rival));
  EXPECT_EQ(observer.markers, (std::vector<Node>{{4, 5}}));
  EXPECT_EQ(observer.lines, (std::vector<std::string>{"Ход машины->> 4 - 5"}));
}

TEST_F(ComputerMoveTest, BlocksAThreatOfLevelOne) {
  Put(board, csRival, {{10, 10}});
  Put(board, csOwn, {{9, 10}, {10, 9}, {11, 10}});
  EXPECT_EQ(Move(), (Node{10, 11}));
}

TEST_F(ComputerMoveTest, ClosesItsOwnEnclosureRatherThanBlockAnEqualThreat) {
  Put(board, csRival, {{10, 10}});
  Put(board, csOwn, {{9, 10}, {10, 9}, {11, 10}});
  Put(board, csOwn, {{20, 20}});
  Put(board, csRival, {{19, 20}, {20, 19}, {21, 20}});
  EXPECT_EQ(Move(), (Node{20, 21}));
  EXPECT_EQ(board.At(20, 20), engine::csOwnCaptured);
  EXPECT_EQ(observer.outlines.size(), 1u);
  // The capture's remark comes before the move's own log line.
  ASSERT_EQ(observer.lines.size(), 2u);
  EXPECT_EQ(observer.lines[1], "Ход машины->> 20 - 21");
}

TEST_F(ComputerMoveTest, BlocksAThreatOfLevelTwo) {
  Put(board, csRival, {{10, 10}});
  Put(board, csOwn, {{9, 10}, {10, 9}});
  EXPECT_EQ(Move(), (Node{10, 11}));
}

TEST_F(ComputerMoveTest, ExtendsBeyondThePlayersTwoDotsAtTheFrame) {
  Put(board, csOwn, {{4, 30}, {5, 30}});
  lastPlayerMove = {5, 30};
  EXPECT_EQ(Move(), (Node{6, 30}));
}

TEST_F(ComputerMoveTest, AttackOfLevelElevenIsIgnoredAndLevelTenIsPlayed) {
  lastPlayerMove = {14, 10};
  for (int x = 10; x <= 14; ++x) board.Set(x, 10, csOwn);
  Put(board, csRival, {{10, 9}});
  EXPECT_EQ(EvaluateThreat(board, Side::Rival).Level, 11);
  EXPECT_EQ(Move(), (Node{15, 10}));

  board = FramedBoard();
  for (int x = 10; x <= 14; ++x) board.Set(x, 10, csOwn);
  Put(board, csRival, {{10, 9}, {11, 9}});
  EXPECT_EQ(EvaluateThreat(board, Side::Rival).Level, 10);
  EXPECT_EQ(Move(), (Node{9, 10}));
}

TEST_F(ComputerMoveTest, OpeningMoveIsARandomFreeNodeReplayedBySeed) {
  const auto first = Move();
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(board.IsPlayable(first->x, first->y));
  Board again = FramedBoard();
  engine::Random sameSeed{5};
  RecordingMoveObserver quiet;
  EXPECT_EQ(ComputerMove(again, Side::Rival, MoveContext{quiet, sameSeed, {}}), first);
}

TEST_F(ComputerMoveTest, OpensTheNextGameBesideThePlayersLastDot) {
  lastPlayerMove = {7, 8};
  EXPECT_EQ(Move(), (Node{6, 8}));
}

TEST_F(ComputerMoveTest, LastDotFromALargerFieldLeadsToAPlayableNode) {
  board = FramedBoard(15, 15);
  lastPlayerMove = {15, 5};
  EXPECT_EQ(Move(), (Node{14, 5}));
  lastPlayerMove = {40, 30};
  const auto node = Move();
  ASSERT_TRUE(node.has_value());
  EXPECT_TRUE(board.IsPlayable(node->x, node->y));
  EXPECT_EQ(board.At(40, 30), engine::csFree);
}

TEST_F(ComputerMoveTest, NeverOverwritesADotWhenTheThreatNodeIsNotFree) {
  // A group already ringed but not yet captured has level 0 and no node.
  Put(board, csOwn, {{5, 5}});
  Put(board, csRival, {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
  lastPlayerMove = {5, 5};
  const auto node = Move();
  ASSERT_TRUE(node.has_value());
  EXPECT_EQ(engine::CountCells(board).FreeCount, 900 - 6);
  EXPECT_EQ(board.At(4, 5), csRival);
}

TEST_F(ComputerMoveTest, FullFieldGivesNoMoveAndChangesNothing) {
  board = FramedBoard(15, 15);
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) board.Set(x, y, (x + y) % 2 ? csOwn : engine::csRivalArea);
  const Board before = board;
  EXPECT_FALSE(Move().has_value());
  for (int x = 0; x <= 15; ++x)
    for (int y = 0; y <= 15; ++y) ASSERT_EQ(board.At(x, y), before.At(x, y));
  EXPECT_TRUE(observer.lines.empty());
}

TEST_F(ComputerMoveTest, WholeSelfPlayGameOnTheLargestFieldEnds) {
  board = FramedBoard(45, 35);
  int moves = 0;
  Side mover = Side::Own;
  while (!engine::IsGameOver(engine::CountCells(board))) {
    ASSERT_TRUE(Move(mover).has_value());
    mover = engine::Opponent(mover);
    ASSERT_LT(++moves, 2000);
  }
  EXPECT_FALSE(Move(mover).has_value());
}

}  // namespace
}  // namespace solvar::ai
