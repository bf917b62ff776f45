#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

#include "match/capture_remarks.h"
#include "match/computer_player.h"
#include "match/match.h"
#include "match_events.h"
#include "support/board_builder.h"
#include "text/cp1251.h"

namespace solvar::match {
namespace {

using engine::csOwn;
using engine::csRival;
using engine::Node;
using engine::Side;
using test::FillAllButLast;
using test::Put;

bool IsRemarkOf(const std::string& line, Side side) {
  const auto& group = side == Side::Own ? OwnCaptureRemarks : RivalCaptureRemarks;
  return std::any_of(group.begin(), group.end(), [&](std::string_view remark) {
    return line == std::string(RemarkPrefix) + std::string(remark);
  });
}

// A computer that takes its time: it answers only when the test says so.
class ThinkingComputer : public Player {
 public:
  void TakeTurn(Match&) override { ++turns; }
  void OnGameEnd() override { ++stops; }
  int turns = 0;
  int stops = 0;
};

class MatchTest : public ::testing::Test {
 protected:
  explicit MatchTest(std::uint64_t seed = test::SeedWhereLocalStarts(true)) : random(seed) {}

  // A game against the standard computer on a field of the given size.
  void StartGame(int width = 31, int height = 31) {
    game.Board().SetFieldSize(width, height);
    game.StartAgainstComputer(computer);
    events.Clear();
  }

  test::MatchEvents events;
  engine::Random random;
  records::RecordsTable records;
  Match game{events, random, records};
  StandardComputerPlayer computer;
};

TEST_F(MatchTest, NewGameEndsTheOldOneAndLetsThePlayerStart) {
  game.StartAgainstComputer(computer);
  EXPECT_EQ(events.events,
            (std::vector<std::string>{"log Новая игра началась!!!", "ended", "started", "first own", "turn local"}));
  EXPECT_TRUE(game.InProgress());
  EXPECT_FALSE(game.IsNetwork());
  EXPECT_EQ(game.ToMove(), Turn::Local);
  EXPECT_EQ(engine::CountCells(game.Board()).FreeCount, 900);
}

class MatchComputerFirstTest : public MatchTest {
 protected:
  MatchComputerFirstTest() : MatchTest(test::SeedWhereLocalStarts(false)) {}
};

TEST_F(MatchComputerFirstTest, ComputerOpensAndTheCountsShowItsMove) {
  game.StartAgainstComputer(computer);
  ASSERT_EQ(game.Moves().size(), 1u);
  const Node opening = game.Moves()[0].Dot;
  EXPECT_EQ(game.Moves()[0].Mover, Side::Rival);
  const std::vector<std::string> expected{"log Новая игра началась!!!", "ended", "started", "first rival",
                                          "dot " + test::NodeText(opening) + " rival",
                                          "marker " + test::NodeText(opening),
                                          "log Ход машины->> " + std::to_string(opening.X) + " - " + std::to_string(opening.Y),
                                          "scores 0 0 899", "turn local"};
  EXPECT_EQ(events.events, expected);
}

TEST_F(MatchTest, LocalMoveIsAnsweredAtOnceAndOnlyTheSettledTurnIsReported) {
  StartGame();
  EXPECT_EQ(game.PlayLocal(Node{12, 7}), LocalMove::Played);
  EXPECT_EQ(game.Board().At(12, 7), csOwn);
  EXPECT_EQ(game.Board().At(11, 7), csRival);
  EXPECT_EQ(game.LastPlayerMove(), (Node{12, 7}));
  EXPECT_EQ(events.events, (std::vector<std::string>{"log Ваш ход ->> 12 - 7", "scores 0 0 899", "dot 11,7 rival",
                                                     "marker 11,7", "log Ход машины->> 11 - 7", "scores 0 0 898",
                                                     "turn local"}));
  EXPECT_EQ(game.Moves(), (std::vector<PlayedMove>{{Side::Own, {12, 7}}, {Side::Rival, {11, 7}}}));
}

TEST_F(MatchTest, TakenNodeOrAnotherSidesTurnIsNoMove) {
  StartGame();
  game.PlayLocal(Node{12, 7});
  EXPECT_EQ(game.PlayLocal(Node{12, 7}), LocalMove::NotFree);
  EXPECT_EQ(game.PlayLocal(Node{-1, 7}), LocalMove::NotFree);
  EXPECT_EQ(game.PlayLocal(Node{0, 7}), LocalMove::NotFree);  // the frame
  ThinkingComputer slow;
  game.StartAgainstComputer(slow);
  if (game.ToMove() == Turn::Local) game.PlayLocal(Node{5, 5});
  ASSERT_EQ(game.ToMove(), Turn::Opponent);
  EXPECT_EQ(game.PlayLocal(Node{6, 6}), LocalMove::NotYourTurn);
  EXPECT_EQ(game.Board().At(6, 6), engine::csFree);
}

// A name asked while a peer's message was being handled is answered later,
// when its box has been shown: the record is entered then, and the name
// belongs to the game that was won even if another has begun meanwhile.
TEST_F(MatchTest, NameGivenLaterEntersTheRecordAndNamesOnlyTheGameThatWasWon) {
  StartGame(15, 15);
  FillAllButLast(game.Board(), engine::csRivalCaptured, csOwn);
  events.answerLater = true;
  game.PlayLocal(Node{14, 14});
  EXPECT_FALSE(game.InProgress());
  ASSERT_EQ(events.pendingNames.size(), 1u);
  EXPECT_EQ(records.RecordCount(), 0);
  events.pendingNames[0](std::string("Аня"));
  EXPECT_EQ(records.Slot(1), (records::RecordEntry{text::Utf8ToCp1251("Аня"), 1}));
  EXPECT_EQ(game.Record().Player1, "Аня");

  FillAllButLast(game.Board(), engine::csRivalCaptured, csOwn);
  game.StartAgainstComputer(computer);
  FillAllButLast(game.Board(), engine::csRivalCaptured, csOwn);
  if (game.ToMove() == Turn::Local) game.PlayLocal(Node{14, 14});
  ASSERT_EQ(events.pendingNames.size(), 2u);
  game.StartAgainstComputer(computer);
  events.pendingNames[1](std::string("Борис"));
  EXPECT_EQ(records.RecordCount(), 2);
  EXPECT_EQ(game.Record().Player1, "Игрок");
}

TEST_F(MatchTest, WinEndsTheGameOnceAsksTheNameUntilGivenAndEntersTheRecord) {
  StartGame(15, 15);
  FillAllButLast(game.Board(), engine::csRivalCaptured, csOwn);
  events.names = {std::string(), std::string(), std::nullopt};
  EXPECT_EQ(game.PlayLocal(Node{14, 14}), LocalMove::Played);
  EXPECT_EQ(events.results, (std::vector<GameResult>{{1, 0, Winner::Own}}));
  EXPECT_EQ(events.Count("ask Студент"), 3);
  EXPECT_EQ(events.Count("result"), 1);
  EXPECT_EQ(events.Count("ended"), 1);
  EXPECT_EQ(events.Count("dot"), 0);  // the computer does not answer the last move
  ASSERT_EQ(records.RecordCount(), 1);
  EXPECT_EQ(records.Slot(1), (records::RecordEntry{text::Utf8ToCp1251("Студент"), 1}));
  // The result, the name, the record, and only then the end of the game.
  const auto at = [&](const std::string& e) { return std::find(events.events.begin(), events.events.end(), e); };
  EXPECT_LT(at("result 1 0"), at("record"));
  EXPECT_LT(at("record"), at("ended"));
  EXPECT_FALSE(game.InProgress());
  EXPECT_EQ(game.ToMove(), Turn::Nobody);
  EXPECT_EQ(engine::CountCells(game.Board()).FreeCount, 196);
}

TEST_F(MatchTest, LossAndDrawAskNothingAndRecordNothing) {
  struct Case {
    engine::CellState Special, Fill;
    Winner Outcome;
  };
  for (const Case& c : {Case{engine::csOwnCaptured, engine::csRivalArea, Winner::Rival},
                        Case{csOwn, csOwn, Winner::Draw}}) {
    StartGame(15, 15);
    FillAllButLast(game.Board(), c.Special, c.Fill);
    events.results.clear();
    game.PlayLocal(Node{14, 14});
    ASSERT_EQ(events.results.size(), 1u);
    EXPECT_EQ(events.results[0].Outcome, c.Outcome);
    EXPECT_EQ(events.Count("ask"), 0);
    EXPECT_EQ(records.RecordCount(), 0);
    EXPECT_FALSE(game.InProgress());
  }
}

TEST_F(MatchTest, SurrenderClearsTheFieldWithoutAResultAndMayComeTwice) {
  ThinkingComputer slow;
  game.StartAgainstComputer(slow);
  if (game.ToMove() == Turn::Local) game.PlayLocal(Node{8, 8});
  events.Clear();
  game.End();
  game.End();
  EXPECT_FALSE(game.InProgress());
  EXPECT_EQ(engine::CountCells(game.Board()).FreeCount, 900);
  EXPECT_EQ(events.Count("result"), 0);
  EXPECT_EQ(events.Count("ended"), 2);
  EXPECT_EQ(slow.stops, 1);  // the opponent hears of it once
}

TEST_F(MatchTest, LateAnswerOfAThinkingComputerChangesNothing) {
  ThinkingComputer slow;
  game.StartAgainstComputer(slow);
  if (game.ToMove() == Turn::Local) game.PlayLocal(Node{8, 8});
  ASSERT_EQ(game.ToMove(), Turn::Opponent);
  EXPECT_EQ(events.events.back(), "turn opponent");
  game.End();
  const auto before = engine::CountCells(game.Board());
  EXPECT_FALSE(game.PlayComputerAnswer(Node{3, 3}));
  EXPECT_EQ(engine::CountCells(game.Board()).FreeCount, before.FreeCount);
}

TEST_F(MatchTest, ThinkingComputerAnswersLaterAndTheTurnComesBack) {
  ThinkingComputer slow;
  game.StartAgainstComputer(slow);
  if (game.ToMove() == Turn::Local) game.PlayLocal(Node{8, 8});
  ASSERT_EQ(game.ToMove(), Turn::Opponent);
  EXPECT_FALSE(game.PlayComputerAnswer(Node{0, 5}));  // the frame
  EXPECT_TRUE(game.PlayComputerAnswer(Node{20, 20}));
  EXPECT_EQ(game.Board().At(20, 20), csRival);
  EXPECT_EQ(game.ToMove(), Turn::Local);
  EXPECT_EQ(events.lines.back(), "Ход машины->> 20 - 20");
}

TEST_F(MatchTest, ComputersCaptureSaysItsRemarkBeforeItsMoveLine) {
  Put(game.Board(), csRival, {{10, 10}});
  Put(game.Board(), csOwn, {{9, 10}, {10, 9}, {11, 10}});
  Put(game.Board(), csOwn, {{20, 20}});
  Put(game.Board(), csRival, {{19, 20}, {20, 19}, {21, 20}});
  EXPECT_EQ(game.ComputerMove(Side::Rival), (Node{20, 21}));
  EXPECT_EQ(game.Board().At(20, 20), engine::csOwnCaptured);
  ASSERT_EQ(events.lines.size(), 2u);
  EXPECT_TRUE(IsRemarkOf(events.lines[0], Side::Rival));
  EXPECT_EQ(events.lines[1], "Ход машины->> 20 - 21");
  EXPECT_EQ(events.Count("capture rival 1"), 1);
}

TEST_F(MatchTest, EveryRemarkOfBothGroupsCanBeSaidAndEmptyRegionsSayNothing) {
  std::set<std::string> said;
  for (int round = 0; round < 200; ++round) {
    for (const Side side : {Side::Own, Side::Rival}) {
      game.Board() = test::FramedBoard();
      game.Board().Set(5, 5, engine::DotCode(engine::Opponent(side)));
      Put(game.Board(), engine::DotCode(side), {{4, 5}, {5, 4}, {5, 6}, {6, 5}});
      Put(game.Board(), engine::DotCode(side), {{14, 15}, {15, 14}, {15, 16}, {16, 15}});
      events.Clear();
      EXPECT_EQ(game.Scan(side), 2);
      ASSERT_EQ(events.lines.size(), 1u);
      ASSERT_TRUE(IsRemarkOf(events.lines[0], side));
      said.insert(events.lines[0]);
    }
  }
  EXPECT_EQ(said.size(), 14u);
}

TEST_F(MatchTest, NetworkGameCapturesWithoutRemarks) {
  ThinkingComputer remote;
  game.StartNetwork(remote, Side::Own);
  Put(game.Board(), csRival, {{5, 5}});
  Put(game.Board(), csOwn, {{4, 5}, {5, 4}, {5, 6}});
  events.Clear();
  game.PlayLocal(Node{6, 5});
  EXPECT_EQ(game.Board().At(5, 5), engine::csRivalCaptured);
  EXPECT_EQ(events.Count("capture own 1"), 1);
  EXPECT_EQ(events.lines, std::vector<std::string>{"Ваш ход ->> 6 - 5"});
  EXPECT_EQ(events.Count("dot 6,5 own"), 1);  // painted here, unlike the preview of a game against the computer
}

TEST_F(MatchTest, SelfPlayStopsWhereTheGameEnds) {
  game.Board().SetFieldSize(45, 35);
  game.ResetPosition();
  Side mover = Side::Own;
  EXPECT_EQ(game.SelfPlay(mover, 2), 2);
  EXPECT_EQ(mover, Side::Own);
  EXPECT_EQ(game.Moves().size(), 2u);
  const int rest = game.SelfPlay(mover, std::numeric_limits<int>::max());
  EXPECT_GT(rest, 100);
  EXPECT_EQ(game.Counts().FreeCount, 0);
  EXPECT_EQ(game.SelfPlay(mover, 2), 0);
  EXPECT_FALSE(game.ComputerMove(mover).has_value());
}

TEST_F(MatchTest, ComputerMoveOnAFullFieldChangesNothing) {
  game.Board() = test::FramedBoard(15, 15);
  for (int x = 1; x < 15; ++x)
    for (int y = 1; y < 15; ++y) game.Board().Set(x, y, (x + y) % 2 ? csOwn : engine::csRivalArea);
  const engine::Board before = game.Board();
  EXPECT_FALSE(game.ComputerMove(Side::Rival).has_value());
  for (int x = 0; x <= 15; ++x)
    for (int y = 0; y <= 15; ++y) ASSERT_EQ(game.Board().At(x, y), before.At(x, y));
  EXPECT_TRUE(events.lines.empty());
}

TEST_F(MatchTest, NewGameForgetsTheMovesButKeepsThePlayersLastDot) {
  StartGame();
  game.PlayLocal(Node{7, 8});
  for (int i = 0; i < 6; ++i) {
    game.StartAgainstComputer(computer);
    EXPECT_EQ(game.LastPlayerMove(), (Node{7, 8}));
    ASSERT_LE(game.Moves().size(), 1u);
    // A computer that opens plays beside the player's last dot.
    if (!game.Moves().empty()) {
      EXPECT_EQ(game.Moves()[0].Dot, (Node{6, 8}));
    }
  }
}

}  // namespace
}  // namespace solvar::match
