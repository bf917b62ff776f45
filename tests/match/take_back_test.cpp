// Taking moves back and two people at one window, without a window.
#include <gtest/gtest.h>

#include <vector>

#include "match/computer_player.h"
#include "match/match.h"
#include "match_events.h"
#include "support/board_builder.h"

namespace solvar::match {
namespace {

using engine::Node;
using engine::Side;
using test::FillAllButLast;

// A computer that answers only when the test says so, and notes being
// stopped.
class ThinkingComputer : public Player {
 public:
  void TakeTurn(Match&) override { ++turns; }
  void StopThinking() override { ++stops; }
  int turns = 0;
  int stops = 0;
};

std::vector<engine::CellState> Cells(const engine::Board& board) {
  std::vector<engine::CellState> cells;
  for (int x = 0; x <= board.FieldWidth(); ++x)
    for (int y = 0; y <= board.FieldHeight(); ++y) cells.push_back(board.At(x, y));
  return cells;
}

class TakeBackTest : public ::testing::TestWithParam<engine::Rules> {
 protected:
  test::MatchEvents events;
  engine::Random random{test::SeedWhereLocalStarts(true)};
  records::RecordsTable records;
  Match game{events, random, records};
  StandardComputerPlayer computer;
};

// A whole game's worth of moves, with the captures, recaptures and areas the
// standard computer and a player next to its dots make, taken back one
// answer at a time: each step gives back exactly the position, counts and
// record of the round before.
TEST_P(TakeBackTest, EveryTakeBackGivesBackTheRoundBeforeExactly) {
  game.Board().SetFieldSize(15, 15);
  game.StartAgainstComputer(computer, GetParam());
  struct Round {
    std::vector<engine::CellState> Cells;
    engine::CellCounts Counts;
    std::size_t Moves;
    Node LastPlayerMove;
  };
  std::vector<Round> rounds;
  engine::Random picks(5);
  while (game.InProgress() && rounds.size() < 60) {
    rounds.push_back({Cells(game.Board()), engine::CountCells(game.Board()), game.Moves().size(), game.LastPlayerMove()});
    const Node last = game.Moves().empty() ? Node{7, 7} : game.Moves().back().Dot;
    Node node{-1, -1};
    for (int tries = 0; tries < 400 && !game.IsFreeNode(node); ++tries) {
      const int spread = tries < 200 ? 2 : 14;
      node = Node{std::clamp(last.X + picks.NextBelow(2 * spread + 1) - spread, 1, 14),
                  std::clamp(last.Y + picks.NextBelow(2 * spread + 1) - spread, 1, 14)};
    }
    game.PlayLocal(node);
  }
  ASSERT_TRUE(game.InProgress());
  int captures = 0;
  for (const auto& cell : Cells(game.Board())) captures += cell == engine::csRivalCaptured || cell == engine::csOwnCaptured;
  EXPECT_GT(captures, 0);
  events.Clear();
  while (game.CanTakeBack()) {
    game.TakeBack();
    const Round& round = rounds.back();
    ASSERT_EQ(Cells(game.Board()), round.Cells) << rounds.size();
    ASSERT_EQ(engine::CountCells(game.Board()).FreeCount, round.Counts.FreeCount);
    ASSERT_EQ(game.Counts().OwnScore, round.Counts.OwnScore);
    ASSERT_EQ(game.Moves().size(), round.Moves);
    ASSERT_EQ(game.LastPlayerMove(), round.LastPlayerMove);
    ASSERT_EQ(game.ToMove(), Turn::Local);
    rounds.pop_back();
  }
  EXPECT_TRUE(rounds.empty());
  EXPECT_EQ(events.Count("log Ход взят назад"), 60);
  // Painted again from the start each time: cleared, then dots as played.
  EXPECT_EQ(events.Count("cleared"), 60);
}

INSTANTIATE_TEST_SUITE_P(BothRuleSets, TakeBackTest, ::testing::Values(engine::Rules::Classic, engine::Rules::Sport),
                         [](const auto& param) { return param.param == engine::Rules::Classic ? "Classic" : "Sport"; });

TEST(TakeBack, StopsAThinkingComputerAndAWinAfterItEntersNoRecord) {
  test::MatchEvents events;
  engine::Random random{test::SeedWhereLocalStarts(true)};
  records::RecordsTable records;
  Match game{events, random, records};
  ThinkingComputer slow;
  game.Board().SetFieldSize(15, 15);
  game.StartAgainstComputer(slow);
  game.PlayLocal(Node{5, 5});
  ASSERT_EQ(game.ToMove(), Turn::Opponent);
  game.TakeBack();
  EXPECT_EQ(slow.stops, 1);
  EXPECT_EQ(game.ToMove(), Turn::Local);
  EXPECT_TRUE(game.Moves().empty());
  EXPECT_FALSE(game.PlayComputerAnswer(Node{6, 6}));  // its late answer changes nothing
  EXPECT_FALSE(game.CanTakeBack());
  // Won after a take-back: the result, but no name and no record.
  FillAllButLast(game.Board(), engine::csRivalCaptured, engine::csOwn);
  game.PlayLocal(Node{14, 14});
  EXPECT_EQ(events.Count("result"), 1);
  EXPECT_EQ(events.Count("ask"), 0);
  EXPECT_EQ(records.RecordCount(), 0);
  EXPECT_TRUE(game.TookMovesBack());
}

TEST(TakeBack, ComputerThatOpenedKeepsItsOpeningDot) {
  test::MatchEvents events;
  engine::Random random{test::SeedWhereLocalStarts(false)};
  records::RecordsTable records;
  Match game{events, random, records};
  StandardComputerPlayer computer;
  game.StartAgainstComputer(computer);
  ASSERT_EQ(game.Moves().size(), 1u);
  EXPECT_FALSE(game.CanTakeBack());
  const Node opening = game.Moves()[0].Dot;
  game.PlayLocal(Node{opening.X == 5 ? 6 : 5, 5});
  game.TakeBack();
  ASSERT_EQ(game.Moves().size(), 1u);
  EXPECT_EQ(game.Moves()[0].Dot, opening);
  EXPECT_EQ(events.events.back(), "turn local");
}

TEST(TwoPlayers, AlternateAtOneWindowAndTheGameEntersNoRecord) {
  test::MatchEvents events;
  engine::Random random{test::SeedWhereLocalStarts(true)};
  records::RecordsTable records;
  Match game{events, random, records};
  SecondPlayer second;
  second.SetName("Борис");
  game.SetPlayerName("Аня");
  game.Board().SetFieldSize(15, 15);
  game.StartTwoPlayers(second, engine::Rules::Sport);
  events.Clear();
  EXPECT_TRUE(game.IsTwoPlayers());
  EXPECT_EQ(game.Rules(), engine::Rules::Sport);
  ASSERT_EQ(game.ToMove(), Turn::Local);
  EXPECT_EQ(game.PlayTurn(Node{5, 5}), LocalMove::Played);
  EXPECT_EQ(game.ToMove(), Turn::Opponent);
  EXPECT_EQ(game.PlayTurn(Node{6, 5}), LocalMove::Played);
  EXPECT_EQ(game.PlayTurn(Node{6, 5}), LocalMove::NotFree);
  EXPECT_EQ(game.Board().At(6, 5), engine::csRival);
  EXPECT_EQ(events.lines, (std::vector<std::string>{"Аня ->> 5 - 5", "Борис ->> 6 - 5"}));
  EXPECT_EQ(events.Count("marker"), 2);  // every move is marked
  // One move at a time back.
  game.TakeBack();
  EXPECT_EQ(game.Moves().size(), 1u);
  EXPECT_EQ(game.ToMove(), Turn::Opponent);
  game.PlayTurn(Node{7, 7});
  const GameRecord record = game.Record();
  EXPECT_EQ(record.Player1, "Аня");
  EXPECT_EQ(record.Player2, "Борис");
  // Side 1 ahead on the count: a result, no name asked, no record.
  FillAllButLast(game.Board(), engine::csRivalCaptured, engine::csOwn);
  game.PlayTurn(Node{14, 14});
  EXPECT_EQ(events.results.size(), 1u);
  EXPECT_EQ(events.Count("ask"), 0);
  EXPECT_EQ(records.RecordCount(), 0);
}

// Nobody plays the computer in a game of two people, so nobody remarks on
// a capture: the log holds the moves only.
TEST(TwoPlayers, CapturesWithoutRemarks) {
  test::MatchEvents events;
  engine::Random random{test::SeedWhereLocalStarts(true)};
  records::RecordsTable records;
  Match game{events, random, records};
  SecondPlayer second;
  second.SetName("Борис");
  game.SetPlayerName("Аня");
  game.Board().SetFieldSize(15, 15);
  game.StartTwoPlayers(second);
  ASSERT_EQ(game.ToMove(), Turn::Local);
  test::Put(game.Board(), engine::csRival, {{5, 5}});
  test::Put(game.Board(), engine::csOwn, {{4, 5}, {5, 4}, {5, 6}});
  test::Put(game.Board(), engine::csRival, {{10, 8}, {10, 10}, {11, 9}});
  test::Put(game.Board(), engine::csOwn, {{10, 9}});
  events.Clear();
  game.PlayTurn(Node{6, 5});
  game.PlayTurn(Node{9, 9});
  EXPECT_EQ(game.Board().At(5, 5), engine::csRivalCaptured);
  EXPECT_EQ(game.Board().At(10, 9), engine::csOwnCaptured);
  EXPECT_EQ(events.Count("capture own 1"), 1);
  EXPECT_EQ(events.Count("capture rival 1"), 1);
  EXPECT_EQ(events.lines, (std::vector<std::string>{"Аня ->> 6 - 5", "Борис ->> 9 - 9"}));
}

}  // namespace
}  // namespace solvar::match
