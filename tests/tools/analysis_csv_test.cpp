// "solvar-engine --analyse": the CSV of a saved game's analysis, the same
// for the same seed, and a clear refusal of what it cannot analyse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "engine_driver/analysis_csv.h"
#include "support/temp_dir.h"

namespace solvar::tools {
namespace {

// Side 1's ring round three of side 2's dots, open at (4, 2) - "db" - where
// side 2's dot outside makes it the one node that closes the ring; side 1
// plays elsewhere, side 2 blocks, then the game goes on.
constexpr const char* RingGame =
    "(;GM[40]FF[4]SZ[12]RU[russian]AW[dc][cd][ed][dd][da]AB[bb][cb][eb][fb][bc][fc][bd][fd][be][ce][de][ee][fe]"
    ";B[jj];W[db];B[ii];W[hh])";

struct Outcome {
  int Code = 0;
  std::string Out;
  std::string Err;
};

Outcome Analyse(std::vector<std::string> words) {
  std::ostringstream out, err;
  Outcome run;
  const auto options = ReadAnalyseOptions(words, err);
  run.Code = options ? AnalyseToCsv(*options, out, err) : 2;
  run.Out = out.str();
  run.Err = err.str();
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(AnalysisCsv, OneRowAMoveAndTheSameForTheSameSeed) {
  test::TempDir dir;
  const std::string file = dir.File("ring.sgf");
  test::WriteBytes(file, RingGame);
  const Outcome run = Analyse({file, "--playouts", "600", "--seed", "5"});
  ASSERT_EQ(run.Code, 0) << run.Err;
  const std::vector<std::string> lines = Lines(run.Out);
  ASSERT_EQ(lines.size(), 5U) << run.Out;
  EXPECT_EQ(lines[0], "move,side,x,y,lead,best_x,best_y,best_lead");
  // Side 1 missed the ring's closing node, which side 2 then took: the best
  // node for both.
  EXPECT_EQ(lines[1].substr(0, 10), "1,1,10,10,") << lines[1];
  EXPECT_NE(lines[1].find(",4,2,"), std::string::npos) << lines[1];
  EXPECT_EQ(lines[2].substr(0, 8), "2,2,4,2,") << lines[2];
  EXPECT_NE(lines[2].find(",4,2,", 7), std::string::npos) << lines[2];
  for (const std::string& line : lines) EXPECT_EQ(std::count(line.begin(), line.end(), ','), 7) << line;
  EXPECT_EQ(Analyse({file, "--playouts", "600", "--seed", "5"}).Out, run.Out);
}

TEST(AnalysisCsv, WhatCannotBeAnalysedIsRefusedWithExitCodeTwo) {
  test::TempDir dir;
  const std::string damaged = dir.File("damaged.sgf");
  test::WriteBytes(damaged, "(;GM[40]FF[4]SZ[12];B[aa];W[b");
  const Outcome cut = Analyse({damaged});
  EXPECT_EQ(cut.Code, 2);
  EXPECT_NE(cut.Err.find("damaged.sgf: not a game that can be analysed: "), std::string::npos) << cut.Err;
  EXPECT_TRUE(cut.Out.empty());
  EXPECT_EQ(Analyse({dir.File("missing.sgf")}).Code, 2);
  EXPECT_NE(Analyse({dir.File("missing.sgf")}).Err.find("missing.sgf: cannot be read"), std::string::npos);
  const std::vector<std::vector<std::string>> refused = {
      {}, {"--playouts", "0", damaged}, {damaged, "--movetime"}, {damaged, "--seed", "x"},
      {damaged, "--playouts", "5", "--movetime", "5"}, {damaged, "other.sgf"}, {damaged, "--threads", "2"}};
  for (const auto& words : refused) {
    const Outcome run = Analyse(words);
    EXPECT_EQ(run.Code, 2);
    EXPECT_FALSE(run.Err.empty());
  }
}

// The real program: the usage names the command, a refused file exits 2.
TEST(AnalysisCsv, TheProgramAnswersOnTheCommandLine) {
  test::TempDir dir;
  const std::string file = dir.File("game.sgf");
  test::WriteBytes(file, "(;GM[40]FF[4]SZ[12];B[ff];W[gg])");
  FILE* pipe = popen((std::string(SOLVAR_ENGINE_PATH) + " --analyse " + file + " --playouts 50").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_EQ(Lines(out).size(), 3U) << out;
  EXPECT_EQ(WEXITSTATUS(std::system((std::string(SOLVAR_ENGINE_PATH) + " --analyse 2>/dev/null").c_str())), 2);
}

}  // namespace
}  // namespace solvar::tools
