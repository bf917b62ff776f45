#pragma once
// "solvar-engine --analyse FILE.sgf": the strong computer's analysis of a
// saved game as CSV, one row a move of the file's main line:
//   move,side,x,y,lead,best_x,best_y,best_lead
// side 1 or 2; x and y from 1, as "loadsgf" places the dots; lead the first
// side's expected lead (its captures less the second side's) after the move;
// best_x, best_y the node the strong computer would have played in the
// position before it, and best_lead the lead after that node.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "match/game_analysis.h"

namespace solvar::tools {

struct AnalyseOptions {
  std::string File;
  match::AnalysisBudget Budget;
};

// The options after "--analyse"; none (after a line on `err`) when they do
// not read.
std::optional<AnalyseOptions> ReadAnalyseOptions(const std::vector<std::string>& words, std::ostream& err);

// Analyses the file and writes the CSV to `out`; a file that cannot be read
// or is refused gets a message on `err` and exit code 2, a game that cannot
// be played to its end is analysed to its last playable move with a note on
// `err`.
int AnalyseToCsv(const AnalyseOptions& options, std::ostream& out, std::ostream& err);

}  // namespace solvar::tools
