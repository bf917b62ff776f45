#include <gtest/gtest.h>

#include <set>

#include <thread>

#include "ai/strong_search.h"
#include "engine/capture_scan.h"
#include "engine/random.h"
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

SearchLimits Games(long playouts, int threads = 1) {
  SearchLimits limits;
  limits.Playouts = playouts;
  limits.Threads = threads;
  return limits;
}

bool IsFreePlayable(const Board& board, Node node) {
  return board.IsPlayable(node.X, node.Y) && board.At(node) == engine::csFree;
}

TEST(StrongSearch, AlwaysPlaysAFreePlayableNodeOfTheField) {
  engine::Random random(11);
  for (int round = 0; round < 20; ++round) {
    Board board = FramedBoard(15 + random.NextBelow(31), 15 + random.NextBelow(21));
    const int dots = random.NextBelow(board.PlayableCount());
    for (int i = 0; i < dots; ++i) {
      const Node node{1 + random.NextBelow(board.FieldWidth() - 1), 1 + random.NextBelow(board.FieldHeight() - 1)};
      if (board.At(node) != engine::csFree) continue;
      const Side side = random.NextBelow(2) == 0 ? Side::Own : Side::Rival;
      engine::PlaceDot(board, node, side);
      engine::ScanCaptures(board, side);
      engine::ScanCaptures(board, engine::Opponent(side));
    }
    if (engine::CountCells(board).FreeCount == 0) continue;
    const auto node = ChooseStrongNode(board, Side::Rival, Games(60), random.NextSeed());
    ASSERT_TRUE(node.has_value());
    ASSERT_TRUE(IsFreePlayable(board, *node)) << node->X << "," << node->Y;
  }
}

TEST(StrongSearch, FullFieldGivesNoNode) {
  Board board = FramedBoard(15, 15);
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) board.Set(x, y, (x + y) % 2 ? csOwn : engine::csRivalArea);
  EXPECT_FALSE(ChooseStrongNode(board, Side::Own, Games(10), 1).has_value());
}

TEST(StrongSearch, ClosesAnEnclosureOfOneFreeNodeForEitherSide) {
  for (const Side mover : {Side::Own, Side::Rival}) {
    Board board = FramedBoard(15, 15);
    board.Set(7, 7, engine::DotCode(engine::Opponent(mover)));
    Put(board, engine::DotCode(mover), {{6, 7}, {7, 6}, {7, 8}});
    board.Set(3, 11, engine::DotCode(engine::Opponent(mover)));
    EXPECT_EQ(ChooseStrongNode(board, mover, Games(400), 5), (Node{8, 7}));
  }
}

TEST(StrongSearch, BlocksTheOpponentsEnclosureOfOneFreeNode) {
  Board board = FramedBoard(15, 15);
  Put(board, csOwn, {{7, 7}, {3, 3}});
  Put(board, csRival, {{6, 7}, {7, 6}, {8, 7}, {11, 11}});
  EXPECT_EQ(ChooseStrongNode(board, Side::Own, Games(400), 5), (Node{7, 8}));
}

TEST(StrongSearch, SameSeedAndNumberOfGamesGiveTheSameMove) {
  Board board = FramedBoard(31, 31);
  Put(board, csOwn, {{10, 10}, {11, 10}, {12, 11}, {20, 20}});
  Put(board, csRival, {{10, 11}, {11, 12}, {21, 20}});
  for (const int threads : {1, 2}) {
    SearchReport report;
    const auto first = ChooseStrongNode(board, Side::Rival, Games(300, threads), 42, nullptr, &report);
    EXPECT_EQ(report.Playouts, 300);
    EXPECT_EQ(ChooseStrongNode(board, Side::Rival, Games(300, threads), 42), first);
  }
}

// The random games cannot tell the nodes of an empty field apart: the first
// dot goes near the centre, not to the first node searched (a corner).
TEST(StrongSearch, OpensNearTheCentreOfAnEmptyField) {
  std::set<std::pair<int, int>> seen;
  for (const auto& [w, h] : {std::pair{45, 35}, std::pair{15, 15}, std::pair{40, 33}}) {
    const Board board = FramedBoard(w, h);
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
      const auto node = ChooseStrongNode(board, Side::Rival, SearchLimits{}, seed);
      ASSERT_TRUE(node.has_value());
      EXPECT_LE(std::abs(node->X - w / 2), 2);
      EXPECT_LE(std::abs(node->Y - h / 2), 2);
      if (w == 45) seen.insert({node->X, node->Y});
    }
  }
  EXPECT_GE(seen.size(), 10U);
}

TEST(StrongSearch, AnswersWithinItsTimeAndStopsWhenTold) {
  Board board = FramedBoard(45, 35);
  board.Set(22, 17, engine::csOwn);
  SearchLimits limits;
  limits.MoveTimeMs = 100;
  SearchReport report;
  ASSERT_TRUE(ChooseStrongNode(board, Side::Own, limits, 3, nullptr, &report).has_value());
  EXPECT_GT(report.Playouts, 0);
  limits.MoveTimeMs = 60000;
  std::atomic<bool> stop{false};
  std::thread stopper([&stop] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    stop = true;
  });
  const auto node = ChooseStrongNode(board, Side::Own, limits, 3, &stop);  // returns long before a minute
  stopper.join();
  ASSERT_TRUE(node.has_value());
  EXPECT_TRUE(IsFreePlayable(board, *node));
}

}  // namespace
}  // namespace solvar::ai
