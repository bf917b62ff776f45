// solvar-tactics: the tactical positions asked of a dots engine through the
// engines' common protocol, a fresh engine for each, at a fixed time a move.
// Prints each position with the move answered and whether it solves it, and
// the tally; the exit code is 0 when every position was solved.
// Usage: solvar-tactics [--time MS] [--repeat N] [ENGINE-COMMAND]
// "{rules}" in the command becomes "classic" or "sport" for each position;
// the default engine is the solvar-engine built beside this program.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "protocol_client/engine_process.h"
#include "tactics/tactical_positions.h"

namespace {

using solvar::tools::EngineProcess;
using solvar::tools::PointsNode;
using solvar::tools::TacticalPosition;

std::string DefaultEngine(const char* self) {
  std::string dir = self;
  const std::size_t slash = dir.rfind('/');
  dir = slash == std::string::npos ? "." : dir.substr(0, slash);
  return dir + "/../engine_driver/solvar-engine --protocol points --rules {rules}";
}

std::string WithRules(std::string command, solvar::engine::Rules rules) {
  const std::string name = rules == solvar::engine::Rules::Sport ? "sport" : "classic";
  for (std::size_t at = command.find("{rules}"); at != std::string::npos; at = command.find("{rules}")) {
    command.replace(at, 7, name);
  }
  return command;
}

// The engine's move in the position, or none (with the reason printed).
std::optional<PointsNode> Ask(const TacticalPosition& position, const std::string& command, int timeMs, int seed) {
  EngineProcess engine(WithRules(command, position.Rules));
  const auto fail = [&engine](const std::string& what) {
    std::printf("  %s: %s\n", what.c_str(), engine.LastError().c_str());
    return std::nullopt;
  };
  if (!engine.Ask("init " + std::to_string(position.Width) + " " + std::to_string(position.Height) + " " +
                  std::to_string(seed))) {
    return fail("init");
  }
  for (const auto& dot : position.Setup) {
    const std::string play = "play " + std::to_string(dot.X) + " " + std::to_string(dot.Y) + " " + std::to_string(dot.Colour);
    if (!engine.Ask(play)) return fail(play);
  }
  const auto answer = engine.Ask("gen_move_with_time " + std::to_string(position.ToMove) + " " + std::to_string(timeMs),
                                 timeMs + 10000);
  if (!answer || answer->size() < 2) return fail("gen_move_with_time");
  return PointsNode{std::atoi((*answer)[0].c_str()), std::atoi((*answer)[1].c_str())};
}

}  // namespace

int main(int argc, char* argv[]) {
  int timeMs = 500;
  int repeat = 1;
  std::string command = DefaultEngine(argv[0]);
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--time" && i + 1 < argc) {
      timeMs = std::atoi(argv[++i]);
    } else if (word == "--repeat" && i + 1 < argc) {
      repeat = std::atoi(argv[++i]);
    } else if (word.rfind("--", 0) == 0) {
      std::fprintf(stderr, "usage: solvar-tactics [--time MS] [--repeat N] [ENGINE-COMMAND]\n");
      return 2;
    } else {
      command = word;
    }
  }
  int asked = 0;
  int solved = 0;
  for (const TacticalPosition& position : solvar::tools::TacticalSuite()) {
    for (int round = 0; round < repeat; ++round) {
      const auto move = Ask(position, command, timeMs, 1 + round);
      const bool ok = move && position.Solved(*move);
      ++asked;
      solved += ok ? 1 : 0;
      std::printf("%-60s %s  %s\n", position.Name.c_str(),
                  move ? (std::to_string(move->X) + " " + std::to_string(move->Y)).c_str() : "-", ok ? "solved" : "MISSED");
    }
  }
  std::printf("solved %d of %d at %d ms a move\n", solved, asked, timeMs);
  return solved == asked ? 0 : 1;
}
