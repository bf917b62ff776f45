#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <regex>

#include "engine_driver/engine_session.h"
#include "support/board_builder.h"
#include "support/literal_rules.h"
#include "support/temp_dir.h"

namespace solvar::tools {
namespace {

std::string Feed(EngineSession& session, const std::string& script) {
  std::string out;
  std::size_t start = 0;
  while (start <= script.size()) {
    const std::size_t end = script.find('\n', start);
    const std::string line = script.substr(start, end == std::string::npos ? std::string::npos : end - start);
    out += session.Handle(line);
    if (end == std::string::npos || session.Finished()) break;
    start = end + 1;
  }
  return out;
}

// The board as showboard draws it, read back from the answer.
std::vector<std::string> Rows(const std::string& answer) {
  std::vector<std::string> rows;
  std::size_t start = 2;
  for (std::size_t end; (end = answer.find('\n', start)) != std::string::npos && end > start; start = end + 1) {
    rows.push_back(answer.substr(start, end - start));
  }
  return rows;
}

// A saved game read with a regular expression and played with the literal
// reading of the rules, apart from the program's own reader and scan.
engine::Board ReplayLiterally(const std::string& sgf) {
  std::smatch size;
  EXPECT_TRUE(std::regex_search(sgf, size, std::regex(R"(SZ\[(\d+):?(\d*)\])")));
  const int columns = std::stoi(size[1]);
  const int rows = size[2].length() > 0 ? std::stoi(size[2]) : columns;
  engine::Board board = test::FramedBoard(columns + 1, rows + 1);
  const auto coordinate = [](char c) { return c >= 'a' ? c - 'a' + 1 : c - 'A' + 27; };
  // A dot is two letters; a ring the program drew may follow after a ".".
  const std::regex dot(R"((AB|AW|;B|;W)((\[[a-zA-Z]{2}(\.[a-zA-Z]*)*\])+))");
  const std::regex point(R"(\[([a-zA-Z]{2}))");
  for (auto it = std::sregex_iterator(sgf.begin(), sgf.end(), dot); it != std::sregex_iterator(); ++it) {
    const std::string kind = (*it)[1];
    const engine::Side side = kind.back() == 'B' ? engine::Side::Own : engine::Side::Rival;
    const std::string points = (*it)[2];
    for (auto p = std::sregex_iterator(points.begin(), points.end(), point); p != std::sregex_iterator(); ++p) {
      const std::string letters = (*p)[1];
      const engine::Node node{coordinate(letters[0]), coordinate(letters[1])};
      engine::PlaceDot(board, node, side);
      if (kind[0] != ';') continue;
      test::LiteralScanCaptures(board, side);
      test::LiteralScanCaptures(board, engine::Opponent(side));
    }
  }
  return board;
}

TEST(EngineSession, SavedGamesReplayOnTheLiteralRulesAndLoadBack) {
  test::TempDir dir;
  const std::string path = dir.File("game.sgf");
  EngineSession session;
  Feed(session, "seed 4\nboardsize 29 20\nset 3 3 1\nset 5 5 2\nplay own 10 10\ngenmove rival\nselfplay");
  EXPECT_EQ(Feed(session, "savesgf " + path), "=\n\n");
  const std::vector<std::string> played = Rows(Feed(session, "showboard"));
  const std::string sgf = test::ReadBytes(path);
  EXPECT_EQ(sgf.rfind("(;FF[4]GM[40]CA[UTF-8]", 0), 0u);
  EXPECT_NE(sgf.find("SZ[28:19]"), std::string::npos);
  const engine::Board literal = ReplayLiterally(sgf);
  for (int y = 0; y <= 20; ++y)
    for (int x = 0; x <= 29; ++x)
      ASSERT_EQ('0' + literal.At(x, y), played[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) << x << "," << y;
  EXPECT_EQ(Feed(session, "boardsize 15 15\nloadsgf " + path), "=\n\n=\n\n");
  EXPECT_EQ(Rows(Feed(session, "showboard")), played);
}

TEST(EngineSession, RefusedSavedGameLeavesThePositionAsItWas) {
  test::TempDir dir;
  EngineSession session;
  Feed(session, "boardsize 20 20\nplay own 5 5\nplay rival 6 6");
  const std::string before = Feed(session, "showboard");
  test::WriteBytes(dir.File("go.sgf"), "(;GM[1]SZ[19];B[aa])");
  test::WriteBytes(dir.File("taken.sgf"), "(;GM[40]SZ[14];B[aa];W[aa])");
  test::WriteBytes(dir.File("short.sgf"), "(;GM[40]SZ[14];B[aa]");
  for (const char* file : {"go.sgf", "taken.sgf", "short.sgf", "missing.sgf"}) {
    EXPECT_EQ(Feed(session, "loadsgf " + dir.File(file)).rfind("? ", 0), 0u) << file;
    EXPECT_EQ(Feed(session, "showboard"), before);
  }
  EXPECT_EQ(Feed(session, "savesgf " + dir.File("no/such/folder.sgf")).rfind("? ", 0), 0u);
}

TEST(EngineSession, SetsUpPositionsAndAnswersEveryCommand) {
  EngineSession session;
  EXPECT_EQ(Feed(session, "name\nversion"), "= solvar-engine\n\n= 0.7.1.2\n\n");
  EXPECT_EQ(Feed(session, "boardsize 15 15\ncount"), "=\n\n= 0 0 196\n\n");
  EXPECT_EQ(Feed(session, "# a comment\n\nplay own 5 5\nthreat rival"), "=\n\n= 4 4 5\n\n");
  EXPECT_EQ(Feed(session, "genmove rival"), "= 4 5\n\n");
  EXPECT_EQ(Feed(session, "play rival 5 4\nplay rival 6 5\nset 5 6 2\nscan rival"),
            "=\n\n=\n\n=\n\n=\n1\n1 6,5 5,4 4,5 5,6\n\n");
  EXPECT_EQ(Feed(session, "count"), "= 0 1 191\n\n");
  EXPECT_EQ(Feed(session, "clear_board\ncount"), "=\n\n= 0 0 196\n\n");
  EXPECT_EQ(Feed(session, "boardsize 15 15\nlast_player_move 7 8\ngenmove rival"), "=\n\n=\n\n= 6 8\n\n");

  const std::string board = Feed(session, "showboard");
  EXPECT_EQ(board.substr(0, 2 + 16 + 1 + 16 + 1), "=\n3333333333333333\n3000000000000003\n");
  EXPECT_NE(board.find("3000002000000003\n"), std::string::npos);  // row 8 holds (6, 8)
  EXPECT_EQ(std::count(board.begin(), board.end(), '\n'), 16 + 2);

  const std::string commands = Feed(session, "list_commands");
  for (const char* name : {"boardsize", "genmove", "selfplay", "showboard", "threat"}) {
    EXPECT_NE(commands.find(std::string(name) + "\n"), std::string::npos) << name;
  }
}

TEST(EngineSession, RejectsWhatItCannotDo) {
  EngineSession session;
  EXPECT_EQ(Feed(session, "boardsize 46 20"), "? field size must be 15..45 by 15..35\n\n");
  EXPECT_EQ(Feed(session, "boardsize 14 20"), "? field size must be 15..45 by 15..35\n\n");
  EXPECT_EQ(Feed(session, "play own 0 5"), "? not a free playable node\n\n");
  EXPECT_EQ(Feed(session, "play own 5 5\nplay rival 5 5"), "=\n\n? not a free playable node\n\n");
  EXPECT_EQ(Feed(session, "set 32 1 1"), "? node outside the field\n\n");
  EXPECT_EQ(Feed(session, "set 3 3 8"), "? code must be 0..7\n\n");
  EXPECT_EQ(Feed(session, "genmove both"), "? usage: genmove own|rival\n\n");
  EXPECT_EQ(Feed(session, "fly"), "? unknown command\n\n");
  EXPECT_EQ(Feed(session, "seed x"), "? seed must be a number\n\n");
}

TEST(EngineSession, SelfPlayFinishesTheGameAndIsRepeatable) {
  auto play = [] {
    EngineSession session;
    return Feed(session, "seed 9\nboardsize 20 15\nselfplay\ncount\ngenmove own");
  };
  const std::string first = play();
  EXPECT_EQ(first, play());
  EXPECT_NE(first.find(" 0\n\n? no free node\n\n"), std::string::npos) << first;
}

// An empty ring takes nothing under the sport rules, and a dot played into
// it is taken; both computers play whole games by either rule set.
TEST(EngineSession, RulesCommandChoosesTheRulesOfEveryDotAndBothComputersPlayByThem) {
  EngineSession session;
  const std::string ring = "play own 5 4\nplay own 4 5\nplay own 6 5\nplay own 5 6\ncount";
  EXPECT_EQ(Feed(session, "rules sport\nboardsize 15 15\n" + ring), "=\n\n=\n\n=\n\n=\n\n=\n\n=\n\n= 0 0 192\n\n");
  EXPECT_EQ(Feed(session, "play rival 5 5\ncount"), "=\n\n= 1 0 191\n\n");
  EXPECT_EQ(Feed(session, "rules classic\nclear_board\n" + ring), "=\n\n=\n\n=\n\n=\n\n=\n\n=\n\n= 0 0 191\n\n");
  EXPECT_EQ(Feed(session, "rules both"), "? usage: rules classic|sport\n\n");
  for (const char* rules : {"classic", "sport"}) {
    for (const char* level : {"standard", "strong"}) {
      EngineSession game;
      const std::string answer = Feed(game, std::string("seed 3\nrules ") + rules + "\nlevel own " + level +
                                                "\nplayouts 200\nboardsize 15 15\nselfplay\ncount");
      EXPECT_NE(answer.find(" 0\n\n"), std::string::npos) << rules << " " << level << ": " << answer;
    }
  }
}

// undo after a capture gives back the position before the move exactly;
// hint answers the strong computer's node and plays nothing.
TEST(EngineSession, UndoGivesBackThePositionBeforeTheMoveAndHintPlaysNothing) {
  EngineSession session;
  Feed(session, "boardsize 15 15\nplay rival 5 5\nplay own 5 4\nplay own 4 5\nplay own 6 5");
  const std::string before = Feed(session, "showboard");
  EXPECT_EQ(Feed(session, "play own 5 6\ncount"), "=\n\n= 1 0 191\n\n");
  EXPECT_EQ(Feed(session, "undo\ncount"), "=\n\n= 0 0 192\n\n");
  EXPECT_EQ(Feed(session, "showboard"), before);
  EXPECT_EQ(Feed(session, "playouts 300\nhint own"), "=\n\n= 5 6\n\n");
  EXPECT_EQ(Feed(session, "showboard"), before);
  EXPECT_EQ(Feed(session, "undo\nundo\nundo\nundo\nundo"), "=\n\n=\n\n=\n\n=\n\n? no move to take back\n\n");
  EXPECT_EQ(Feed(session, "count"), "= 0 0 196\n\n");
}

TEST(EngineSession, ProgramSpeaksTheProtocolOnItsStreams) {
  const std::string script = testing::TempDir() + "engine_script.txt";
  std::ofstream(script) << "boardsize 15 15\nplay own 5 5\ngenmove rival\nquit\ncount\n";
  FILE* pipe = popen((std::string(SOLVAR_ENGINE_PATH) + " < " + script).c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(out, "=\n\n=\n\n= 4 5\n\n=\n\n");
}

}  // namespace
}  // namespace solvar::tools
