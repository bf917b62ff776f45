#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "engine_driver/engine_session.h"

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
