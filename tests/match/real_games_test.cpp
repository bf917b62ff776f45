// Real games written by the dots sites and programs (game records from two
// sites, a third's files, a neural engine's self-play): each opens, with the
// rules its file names, and plays to the end its file records; where the
// record gives a score, the counts on the field agree with it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "match/game_replay.h"
#include "match/sgf_file.h"

namespace solvar::match {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Counted {
  int Own = 0;    // side 2's dots taken by side 1
  int Rival = 0;  // side 1's dots taken by side 2
};

Counted FinalCounts(const GameRecord& record) {
  const GameReplay replay(record);
  const engine::CellCounts counts = engine::CountCells(replay.Board());
  return Counted{counts.OwnScore, counts.RivalScore};
}

// Side 1's captures less side 2's that RE gives for a game won on the count
// ("B+3", "W+0.5"; the file's komi KM goes to side 2 and is in RE); none
// for a resignation or a grounding.
std::optional<double> RecordedMargin(const GameRecord& record, double komi) {
  const std::string& result = record.Result;
  if (result == "0") return komi;
  if (result.size() < 3 || result[1] != '+') return std::nullopt;
  char* end = nullptr;
  const double by = std::strtod(result.c_str() + 2, &end);
  if (end == result.c_str() + 2 || *end != '\0') return std::nullopt;
  return (result[0] == 'B' ? by : -by) + komi;
}

// Files whose recorded score the moves alone do not give: a game kept only
// to its 147th move in its source, and a site's game whose score counts the
// territory it marks at the end (TB, TW) by a settlement of its own.
bool ScoreIsNotInTheMoves(const std::string& file) {
  return file == "zagram-senny-wolan-158271.sgf" || file == "zagram-michals-grzesiek2f.sgf";
}

double Komi(const GameRecord& record) {
  for (const KeptProperty& property : record.Kept) {
    if (property.Id == "KM" && !property.Values.empty()) return std::strtod(property.Values[0].c_str(), nullptr);
  }
  return 0.0;
}

TEST(RealGames, OpenWithTheirRulesAndEndAtTheirRecordedScore) {
  const std::filesystem::path folder = std::filesystem::path(SOLVAR_REAL_GAMES);
  int files = 0, whole = 0, scored = 0, scoreAgrees = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".sgf") continue;
    ++files;
    SCOPED_TRACE(entry.path().filename().string());
    const OpenedGame opened = OpenSgf(ReadFile(entry.path()));
    if (opened.IsWhole()) ++whole;
    const Counted counts = FinalCounts(opened.Record);
    const auto margin = RecordedMargin(opened.Record, Komi(opened.Record));
    std::printf("%-40s %s rules %-7s moves %3zu  taken %3d : %3d  RE[%s]%s\n",
                entry.path().filename().string().c_str(), opened.IsWhole() ? "whole " : "partly",
                opened.Record.Rules == engine::Rules::Sport ? "sport" : "classic", opened.Record.Moves.size(),
                counts.Own, counts.Rival, opened.Record.Result.c_str(), opened.NoteEnglish.c_str());
    if (!margin || ScoreIsNotInTheMoves(entry.path().filename().string())) continue;
    ++scored;
    if (std::abs((counts.Own - counts.Rival) - *margin) < 1e-9) ++scoreAgrees;
  }
  std::printf("%d games: %d whole, %d with a score, %d at their recorded score\n", files, whole, scored, scoreAgrees);
  EXPECT_GE(files, 19);
  EXPECT_EQ(whole, files);
  EXPECT_EQ(scoreAgrees, scored);
}

}  // namespace
}  // namespace solvar::match
