#include <gtest/gtest.h>

#include "match/game_analysis.h"
#include "match/game_replay.h"

namespace solvar::match {
namespace {

using engine::Node;
using engine::Rules;
using engine::Side;

constexpr Node Gap{6, 3};
constexpr Node FarAway{17, 17};

// A ring of the first side's dots round the second side's on every other
// node inside, open at one node of its top edge; a second-side dot stands
// outside the gap, so that the gap is the one node that closes the ring
// (and the one that blocks it).
GameRecord RingWithOneGap(Rules rules) {
  GameRecord record;
  record.FieldWidth = 20;
  record.FieldHeight = 20;
  record.Rules = rules;
  for (int y = 4; y <= 8; ++y) {
    for (int x = 4; x <= 8; ++x) {
      if ((x + y) % 2 == 0) record.Setup.emplace_back(Side::Rival, Node{x, y});
    }
  }
  record.Setup.emplace_back(Side::Rival, Node{Gap.X, Gap.Y - 1});
  for (int x = 3; x <= 9; ++x) {
    if (Node{x, 3} != Gap) record.Setup.emplace_back(Side::Own, Node{x, 3});
    record.Setup.emplace_back(Side::Own, Node{x, 9});
  }
  for (int y = 4; y <= 8; ++y) {
    record.Setup.emplace_back(Side::Own, Node{3, y});
    record.Setup.emplace_back(Side::Own, Node{9, y});
  }
  return record;
}

AnalysisBudget SmallBudget() {
  AnalysisBudget budget;
  budget.Playouts = 1200;
  budget.Seed = 7;
  return budget;
}

MoveJudgement JudgeOneMove(Rules rules, Side mover, Node dot) {
  GameRecord record = RingWithOneGap(rules);
  record.Moves.emplace_back(mover, dot);
  const std::vector<MoveJudgement> judged = AnalyseGame(record, SmallBudget());
  EXPECT_EQ(judged.size(), 1U);
  return judged.empty() ? MoveJudgement{} : judged.front();
}

// Closing the ring takes the thirteen dots inside: the best move for the
// ringing side, and blocking it the best for the other side; anything else
// loses about as much.
TEST(GameAnalysis, InARingWithOneGapClosingAndBlockingAreBest) {
  for (const Rules rules : {Rules::Classic, Rules::Sport}) {
    SCOPED_TRACE(rules == Rules::Sport ? "sport" : "classic");
    const MoveJudgement closed = JudgeOneMove(rules, Side::Own, Gap);
    EXPECT_EQ(closed.Best, Gap);
    EXPECT_EQ(LossOf(PlayedMove{Side::Own, Gap}, closed), 0);
    EXPECT_GE(closed.Lead, 10);

    const MoveJudgement missed = JudgeOneMove(rules, Side::Own, FarAway);
    EXPECT_EQ(missed.Best, Gap);
    EXPECT_GE(missed.BestLead, 10);
    EXPECT_GE(LossOf(PlayedMove{Side::Own, FarAway}, missed), MistakeLoss);

    const MoveJudgement blocked = JudgeOneMove(rules, Side::Rival, Gap);
    EXPECT_EQ(blocked.Best, Gap);
    EXPECT_EQ(LossOf(PlayedMove{Side::Rival, Gap}, blocked), 0);
    EXPECT_LT(blocked.Lead, 5);

    const MoveJudgement unblocked = JudgeOneMove(rules, Side::Rival, FarAway);
    EXPECT_EQ(unblocked.Best, Gap);
    EXPECT_GE(unblocked.Lead, 10);
    EXPECT_GE(LossOf(PlayedMove{Side::Rival, FarAway}, unblocked), MistakeLoss);
  }
}

GameRecord ShortGame() {
  GameRecord record = RingWithOneGap(Rules::Classic);
  const Node moves[] = {{12, 12}, {13, 12}, {12, 13}, {13, 13}, {Gap}};
  Side side = Side::Own;
  for (const Node node : moves) {
    record.Moves.emplace_back(side, node);
    side = engine::Opponent(side);
  }
  return record;
}

TEST(GameAnalysis, TheSameSeedGivesTheSameAnalysisMoveByMove) {
  const GameRecord record = ShortGame();
  std::vector<int> heard;
  const std::vector<MoveJudgement> first =
      AnalyseGame(record, SmallBudget(), [&heard](int move, const MoveJudgement&) { heard.push_back(move); });
  EXPECT_EQ(heard, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(AnalyseGame(record, SmallBudget()), first);
  // The first side left its ring open for four moves and the second side
  // did not block it: both sides' moves before the last are mistakes, and
  // the last closes it.
  for (std::size_t move = 0; move < 4; ++move) {
    SCOPED_TRACE(move + 1);
    EXPECT_EQ(first[move].Best, Gap);
    EXPECT_GE(LossOf(record.Moves[move], first[move]), MistakeLoss);
  }
  EXPECT_EQ(first.back().Best, Gap);
  EXPECT_GE(first.back().Lead, 10);
}

// A step that is stopped judges nothing; the analysis then goes on.
TEST(GameAnalysis, AStoppedStepChangesNothing) {
  GameAnalysis analysis(ShortGame(), SmallBudget());
  const std::atomic<bool> stop{true};
  analysis.Step(&stop);
  analysis.Step(&stop);
  EXPECT_TRUE(analysis.Judged().empty());
  while (!analysis.Finished()) analysis.Step();
  EXPECT_EQ(analysis.Judged().size(), 5U);
}

// After the last free node the lead is the count on the field, exactly.
TEST(GameAnalysis, AFullFieldIsWorthWhatItHolds) {
  GameRecord record;
  record.FieldWidth = 3;
  record.FieldHeight = 3;
  record.Moves = {{Side::Own, Node{1, 1}}, {Side::Rival, Node{2, 1}}, {Side::Own, Node{1, 2}}, {Side::Rival, Node{2, 2}}};
  const std::vector<MoveJudgement> judged = AnalyseGame(record, SmallBudget());
  ASSERT_EQ(judged.size(), 4U);
  EXPECT_EQ(judged.back().Lead, 0);
}

}  // namespace
}  // namespace solvar::match
