#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "engine_driver/engine_session.h"
#include "engine_driver/points_session.h"
#include "match/points_protocol.h"

namespace solvar::tools {
namespace {

using engine::Node;
using engine::Rules;

// The answers to a script of lines, one answer a line.
std::string Feed(PointsSession& session, const std::string& script) {
  std::istringstream lines(script);
  std::string out;
  for (std::string line; !session.Finished() && std::getline(lines, line);) out += session.Handle(line);
  return out;
}

bool SameCells(const engine::Board& a, const engine::Board& b) {
  if (a.FieldWidth() != b.FieldWidth() || a.FieldHeight() != b.FieldHeight()) return false;
  for (int x = 0; x <= a.FieldWidth(); ++x)
    for (int y = 0; y <= a.FieldHeight(); ++y)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

// The words of a "= id command x y colour" answer: the node.
Node AnsweredNode(const std::string& answer) {
  const auto line = match::ParsePointsAnswer(answer);
  EXPECT_TRUE(line && line->Ok && *line->Ok && line->Args.size() == 3) << answer;
  if (!line || line->Args.size() != 3) return Node{-1, -1};
  return match::FromPointsNode(std::stoi(line->Args[0]), std::stoi(line->Args[1]));
}

TEST(PointsSession, AnswersEveryCommandWithItsIdAndRefusesWhatItCannotDo) {
  PointsSession session(Rules::Sport);
  EXPECT_EQ(Feed(session, "7 list_commands\n"),
            "= 7 list_commands author gen_move gen_move_with_complexity gen_move_with_time init license "
            "list_commands name play quit undo version\n");
  EXPECT_EQ(Feed(session, "1 name\n2 author\n3 license\n"),
            "= 1 name solvar\n= 2 author solvar_developers\n= 3 license MIT\n");
  EXPECT_EQ(Feed(session, "4 version\n").rfind("= 4 version ", 0), 0U);
  // Nothing is played before the field is given.
  EXPECT_EQ(Feed(session, "5 play 1 1 0\n6 gen_move 0\n7 undo\n"), "? 5 play\n? 6 gen_move\n? 7 undo\n");
  // Sizes: 2..44 by 2..34 nodes fit our field of one more with its frame.
  EXPECT_EQ(Feed(session, "8 init 45 20 1\n9 init 20 35 1\n10 init 1 5 1\n11 init 20 x 1\n12 init 20 20\n"),
            "? 8 init\n? 9 init\n? 10 init\n? 11 init\n? 12 init\n");
  EXPECT_EQ(Feed(session, "13 init 44 34 -5\n14 init 2 2 18446744073709551615\n"), "= 13 init\n= 14 init\n");
  EXPECT_EQ(session.Board().FieldWidth(), 3);
  EXPECT_EQ(Feed(session, "15 init 39 32 0\n"), "= 15 init\n");
  EXPECT_EQ(session.Board().FieldWidth(), 40);
  EXPECT_EQ(session.Board().FieldHeight(), 33);
  // Nodes, colours and ids.
  EXPECT_EQ(Feed(session, "16 play 0 0 0\n17 play 38 31 1\n"), "= 16 play 0 0 0\n= 17 play 38 31 1\n");
  EXPECT_EQ(session.Board().At(1, 1), engine::csOwn);
  EXPECT_EQ(session.Board().At(39, 32), engine::csRival);
  EXPECT_EQ(Feed(session, "18 play 0 0 1\n19 play 39 0 0\n20 play 0 -1 0\n21 play 5 5 2\n22 play 5 5\n"),
            "? 18 play\n? 19 play\n? 20 play\n? 21 play\n? 22 play\n");
  EXPECT_EQ(Feed(session, "x play 1 1 0\n23\n24 nonsense\n25 gen_move 2\n26 gen_move_with_complexity 0 101\n"
                          "27 gen_move_with_time 0 0\n"),
            "? x\n? 23\n? 24 nonsense\n? 25 gen_move\n? 26 gen_move_with_complexity\n? 27 gen_move_with_time\n");
  EXPECT_EQ(Feed(session, "\n   \n28 quit\n29 name\n"), "= 28 quit\n");
  EXPECT_TRUE(session.Finished());
}

// gen_move* answer a free node of the colour asked and play nothing.
TEST(PointsSession, MovesAreAnsweredNotPlayed) {
  PointsSession session(Rules::Sport);
  Feed(session, "1 init 20 20 3\n2 play 10 10 0\n");
  const engine::Board before = session.Board();
  for (const std::string command : {"gen_move 1", "gen_move_with_complexity 1 0", "gen_move_with_complexity 1 3",
                                    "gen_move_with_time 1 100"}) {
    const std::string answer = session.Handle("3 " + command);
    const Node node = AnsweredNode(answer);
    EXPECT_EQ(answer.substr(answer.size() - 3), " 1\n") << answer;
    EXPECT_EQ(session.Board().At(node), engine::csFree) << command;
    EXPECT_TRUE(SameCells(session.Board(), before)) << command;
  }
  // No free node left: the answer is an error.
  Feed(session, "4 init 2 2 1\n5 play 0 0 0\n6 play 1 0 1\n7 play 0 1 0\n8 play 1 1 1\n");
  EXPECT_EQ(Feed(session, "9 gen_move 0\n"), "? 9 gen_move\n");
}

// Within the time: the answer comes before the time given is over.
TEST(PointsSession, MoveWithTimeComesWithinItsTime) {
  PointsSession session(Rules::Sport);
  Feed(session, "1 init 39 32 9\n2 play 19 15 0\n");
  const auto start = std::chrono::steady_clock::now();
  const Node node = AnsweredNode(session.Handle("3 gen_move_with_time 1 500"));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::milliseconds(500));
  EXPECT_EQ(session.Board().At(node), engine::csFree);
}

// Undo takes back one dot exactly, captures included.
TEST(PointsSession, UndoAfterACaptureGivesBackThePositionBefore) {
  PointsSession session(Rules::Sport);
  Feed(session, "1 init 10 10 1\n2 play 4 4 1\n3 play 4 3 0\n4 play 3 4 0\n5 play 5 4 0\n");
  const engine::Board before = session.Board();
  EXPECT_EQ(Feed(session, "6 play 4 5 0\n"), "= 6 play 4 5 0\n");
  EXPECT_EQ(session.Board().At(5, 5), engine::csRivalCaptured);
  EXPECT_EQ(Feed(session, "7 undo\n"), "= 7 undo\n");
  EXPECT_TRUE(SameCells(session.Board(), before));
  EXPECT_EQ(Feed(session, "8 undo\n9 undo\n10 undo\n11 undo\n12 undo\n"),
            "= 8 undo\n= 9 undo\n= 10 undo\n= 11 undo\n? 12 undo\n");
}

// Sport rules by default: an empty ring takes nothing, and a dot played into
// it is taken at once; under the classic rules the ring takes the node.
TEST(PointsSession, RulesDecideWhatAnEmptyRingTakes) {
  const std::string ring = "1 init 10 10 1\n2 play 4 3 0\n3 play 3 4 0\n4 play 5 4 0\n5 play 4 5 0\n";
  PointsSession sport(Rules::Sport);
  Feed(sport, ring);
  EXPECT_EQ(Feed(sport, "6 play 4 4 1\n"), "= 6 play 4 4 1\n");
  EXPECT_EQ(sport.Board().At(5, 5), engine::csRivalCaptured);
  PointsSession classic(Rules::Classic);
  Feed(classic, ring);
  EXPECT_EQ(Feed(classic, "6 play 4 4 1\n"), "? 6 play\n");
}

// Our engine against itself through the protocol plays the very game the
// driver plays with the same seed and the standard computer on both sides.
TEST(PointsSession, GameThroughTheProtocolIsTheDriversGame) {
  PointsSession points(Rules::Classic);
  EngineSession driver;
  Feed(points, "1 init 14 14 77\n");
  driver.Handle("boardsize 15 15");
  driver.Handle("seed 77");
  int colour = 0;
  int moves = 0;
  Node last{0, 0};
  for (;; colour = 1 - colour, ++moves) {
    const std::string answer = points.Handle("2 gen_move_with_complexity " + std::to_string(colour) + " 0");
    const std::string side = colour == 0 ? "own" : "rival";
    if (answer.rfind("?", 0) == 0) break;
    const Node node = AnsweredNode(answer);
    driver.Handle("last_player_move " + std::to_string(last.X) + " " + std::to_string(last.Y));
    ASSERT_EQ(driver.Handle("genmove " + side), "= " + std::to_string(node.X) + " " + std::to_string(node.Y) + "\n\n")
        << "move " << moves;
    ASSERT_EQ(points.Handle("3 play " + std::to_string(match::PointsX(node)) + " " +
                            std::to_string(match::PointsY(node)) + " " + std::to_string(colour)),
              "= 3 play " + std::to_string(match::PointsX(node)) + " " + std::to_string(match::PointsY(node)) + " " +
                  std::to_string(colour) + "\n");
    last = node;
  }
  EXPECT_GT(moves, 50);
  EXPECT_EQ(driver.Handle("count"), "= " + [&] {
    const engine::CellCounts counts = engine::CountCells(points.Board());
    return std::to_string(counts.OwnScore) + " " + std::to_string(counts.RivalScore) + " 0";
  }() + "\n\n");
}

// The sites' usual field, 39 x 32, played to its last free node.
TEST(PointsSession, WholeGameOnTheSitesUsualField) {
  PointsSession session(Rules::Sport);
  Feed(session, "1 init 39 32 2026\n");
  int moves = 0;
  for (int colour = 0;; colour = 1 - colour) {
    const std::string answer = session.Handle(std::to_string(moves + 2) + " gen_move_with_complexity " +
                                              std::to_string(colour) + (moves % 7 == 0 ? " 1" : " 0"));
    if (answer.rfind("?", 0) == 0) break;
    const auto line = match::ParsePointsAnswer(answer);
    ASSERT_TRUE(line && *line->Ok);
    ASSERT_EQ(session.Handle("0 play " + line->Args[0] + " " + line->Args[1] + " " + line->Args[2]).rfind("= 0 play", 0),
              0U);
    ++moves;
  }
  EXPECT_EQ(engine::CountCells(session.Board()).FreeCount, 0);
  EXPECT_GT(moves, 300);
}

TEST(PointsSession, ProgramSpeaksTheProtocolOverAPipe) {
  const std::string script = testing::TempDir() + "points_script.txt";
  std::ofstream(script) << "1 init 15 15 4\n2 play 7 7 0\n3 gen_move_with_complexity 1 0\n4 undo\n5 undo\n6 quit\n7 name\n";
  FILE* pipe = popen((std::string(SOLVAR_ENGINE_PATH) + " --protocol points < " + script).c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  const std::size_t third = out.find("= 3 gen_move_with_complexity ");
  ASSERT_NE(third, std::string::npos) << out;
  EXPECT_EQ(out.substr(0, third), "= 1 init\n= 2 play 7 7 0\n");
  EXPECT_EQ(out.substr(out.find('\n', third) + 1), "= 4 undo\n? 5 undo\n= 6 quit\n");
  // A bad option is named and refused.
  FILE* refused = popen((std::string(SOLVAR_ENGINE_PATH) + " --protocol gtp 2>&1").c_str(), "r");
  ASSERT_NE(refused, nullptr);
  out.clear();
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, refused)) out.append(buffer, n);
  EXPECT_NE(pclose(refused), 0);
  EXPECT_NE(out.find("usage: solvar-engine"), std::string::npos);
}

}  // namespace
}  // namespace solvar::tools
