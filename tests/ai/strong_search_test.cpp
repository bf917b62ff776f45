#include <gtest/gtest.h>

#include <chrono>
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

// A search that goes on from the last one keeps its tree when the position
// follows from the last by its move and the answer, and starts anew when not.
TEST(StrongSearch, KeepsItsTreeAcrossAMoveAndItsAnswer) {
  Board board = FramedBoard(15, 15);
  Put(board, csOwn, {{7, 7}, {8, 8}});
  Put(board, csRival, {{7, 8}, {8, 7}});
  StrongSearch search;
  SearchReport report;
  const auto mine = search.Choose(board, Side::Rival, Games(2000), 3, nullptr, &report);
  ASSERT_TRUE(mine.has_value());
  EXPECT_FALSE(report.KeptTree);
  engine::PlaceDot(board, *mine, Side::Rival);
  engine::CaptureAfterMove(board, Side::Rival, *mine, nullptr, engine::Rules::Classic);
  Node answer = *mine;
  for (const Node next : {Node{mine->X - 1, mine->Y}, Node{mine->X + 1, mine->Y}, Node{mine->X, mine->Y - 1}}) {
    if (board.At(next) == engine::csFree) answer = next;
  }
  ASSERT_NE(answer, *mine);
  engine::PlaceDot(board, answer, Side::Own);
  engine::CaptureAfterMove(board, Side::Own, answer, nullptr, engine::Rules::Classic);
  ASSERT_TRUE(search.Choose(board, Side::Rival, Games(500), 4, nullptr, &report).has_value());
  EXPECT_TRUE(report.KeptTree);
  Board other = FramedBoard(15, 15);
  Put(other, csOwn, {{3, 3}});
  Put(other, csRival, {{10, 10}});
  ASSERT_TRUE(search.Choose(other, Side::Rival, Games(500), 5, nullptr, &report).has_value());
  EXPECT_FALSE(report.KeptTree);
}

// The only free node is played at once; a capture of eighty dots makes the
// search stop long before its time.
TEST(StrongSearch, AnswersAForcedMoveAtOnce) {
  Board full = FramedBoard(15, 15);
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) full.Set(x, y, csOwn);
  full.Set(1, 7, engine::csFree);
  SearchLimits limits;
  limits.MoveTimeMs = 20000;
  SearchReport report;
  EXPECT_EQ(ChooseStrongNode(full, Side::Rival, limits, 1, nullptr, &report), (Node{1, 7}));
  EXPECT_EQ(report.Playouts, 0);

  Board ring = FramedBoard(20, 20);
  for (int x = 3; x < 19; ++x)
    for (int y = 5; y < 15; ++y)
      if ((x + y) % 2 == 0) ring.Set(x, y, csRival);
  for (int x = 2; x <= 19; ++x) Put(ring, csOwn, {{x, 4}, {x, 15}});
  for (int y = 5; y < 15; ++y) Put(ring, csOwn, {{2, y}, {19, y}});
  ring.Set(10, 15, engine::csFree);
  ring.Set(10, 16, csRival);
  // A third of the time is far more than the stop needs (about a second
  // here), and leaves room for a sanitizer build on a busy machine, where
  // the least number of games before a stop takes a few seconds.
  limits.MoveTimeMs = 30000;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ChooseStrongNode(ring, Side::Own, limits, 1, nullptr, &report), (Node{10, 15}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10000));
}

}  // namespace
}  // namespace solvar::ai
