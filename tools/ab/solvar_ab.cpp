// solvar-ab: two dots engines (two builds, or two settings of one) play each
// other through the engines' common protocol, colours alternating game by
// game, a fixed time a move, on an empty field to the last free node. This
// program keeps the field itself by the rules and counts the captures.
// Prints each game and, for engine A: wins, draws and losses, its share of
// the points (a draw counts half), its average margin, its worst loss and
// its best win.
// Usage: solvar-ab [--games N] [--size W H] [--time MS | --complexity C]
//                  [--rules classic|sport] [--seed S] [--save DIR] ENGINE-A ENGINE-B
// With --save each game is written to DIR/game-NN.sgf (A's name in PB when
// A moved first), for looking at it or analysing it.
// With --complexity each move is asked with gen_move_with_complexity C (a
// fixed amount of search whatever the machine's load) instead of a time.
// "{rules}" in a command becomes the rules' name.

#include <algorithm>
#include <array>
#include <optional>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "engine/board.h"
#include "engine/capture_scan.h"
#include "match/sgf_file.h"
#include "protocol_client/engine_process.h"

namespace {

using solvar::engine::Board;
using solvar::engine::Rules;
using solvar::engine::Side;
using solvar::tools::EngineProcess;

struct Options {
  int Games = 20;
  int Width = 20;
  int Height = 20;
  int TimeMs = 500;
  int Complexity = 0;  // above 0: gen_move_with_complexity instead of a time
  Rules GameRules = Rules::Sport;
  int Seed = 1;
  std::string SaveTo;
  std::string EngineA;
  std::string EngineB;
};

struct GameResult {
  int MarginOfA = 0;  // A's captures less B's
  int Moves = 0;
  std::string Failure;  // an engine that failed loses the game
  solvar::match::GameRecord Record;
};

std::string WithRules(std::string command, Rules rules) {
  const std::string name = rules == Rules::Sport ? "sport" : "classic";
  for (std::size_t at = command.find("{rules}"); at != std::string::npos; at = command.find("{rules}")) {
    command.replace(at, 7, name);
  }
  return command;
}

std::optional<Options> ReadOptions(int argc, char* argv[]) {
  Options options;
  std::vector<std::string> engines;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const bool hasValue = i + 1 < argc;
    if (word == "--games" && hasValue) {
      options.Games = std::atoi(argv[++i]);
    } else if (word == "--size" && i + 2 < argc) {
      options.Width = std::atoi(argv[++i]);
      options.Height = std::atoi(argv[++i]);
    } else if (word == "--time" && hasValue) {
      options.TimeMs = std::atoi(argv[++i]);
    } else if (word == "--complexity" && hasValue) {
      options.Complexity = std::atoi(argv[++i]);
    } else if (word == "--rules" && hasValue) {
      const std::string rules = argv[++i];
      if (rules != "classic" && rules != "sport") return std::nullopt;
      options.GameRules = rules == "sport" ? Rules::Sport : Rules::Classic;
    } else if (word == "--seed" && hasValue) {
      options.Seed = std::atoi(argv[++i]);
    } else if (word == "--save" && hasValue) {
      options.SaveTo = argv[++i];
    } else if (word.rfind("--", 0) == 0) {
      return std::nullopt;
    } else {
      engines.push_back(word);
    }
  }
  if (engines.size() != 2 || options.Games <= 0 || options.TimeMs <= 0 || options.Complexity < 0 ||
      options.Complexity > 100 || options.Width < 2 || options.Height < 2 ||
      options.Width > 44 || options.Height > 34) {
    return std::nullopt;
  }
  options.EngineA = WithRules(engines[0], options.GameRules);
  options.EngineB = WithRules(engines[1], options.GameRules);
  return options;
}

// One game; `colourOfA` is 0 when A moves first.
GameResult PlayGame(const Options& options, int colourOfA, int seed) {
  GameResult result;
  std::array<std::unique_ptr<EngineProcess>, 2> byColour;
  byColour[static_cast<std::size_t>(colourOfA)] = std::make_unique<EngineProcess>(options.EngineA);
  byColour[static_cast<std::size_t>(1 - colourOfA)] = std::make_unique<EngineProcess>(options.EngineB);
  const auto name = [colourOfA](int colour) { return colour == colourOfA ? "A" : "B"; };
  const auto fail = [&](int colour, const std::string& what) {
    result.Failure = std::string(name(colour)) + " " + what + ": " + byColour[static_cast<std::size_t>(colour)]->LastError();
    result.MarginOfA = colour == colourOfA ? -1000 : 1000;
    return result;
  };
  Board board;
  board.SetFieldSize(options.Width + 1, options.Height + 1);
  result.Record.FieldWidth = options.Width + 1;
  result.Record.FieldHeight = options.Height + 1;
  result.Record.Rules = options.GameRules;
  result.Record.Player1 = colourOfA == 0 ? "A" : "B";
  result.Record.Player2 = colourOfA == 0 ? "B" : "A";
  solvar::engine::FrameBoard(board);
  const std::string init = "init " + std::to_string(options.Width) + " " + std::to_string(options.Height) + " " +
                           std::to_string(seed);
  for (int colour = 0; colour < 2; ++colour) {
    if (!byColour[static_cast<std::size_t>(colour)]->Ask(init)) return fail(colour, "init");
  }
  int colour = 0;
  while (solvar::engine::CountCells(board).FreeCount > 0) {
    EngineProcess& mover = *byColour[static_cast<std::size_t>(colour)];
    const std::string ask = options.Complexity > 0
                                ? "gen_move_with_complexity " + std::to_string(colour) + " " + std::to_string(options.Complexity)
                                : "gen_move_with_time " + std::to_string(colour) + " " + std::to_string(options.TimeMs);
    const auto answer = mover.Ask(ask, options.Complexity > 0 ? 600000 : options.TimeMs + 10000);
    if (!answer || answer->size() < 2) return fail(colour, ask);
    const int x = std::atoi((*answer)[0].c_str());
    const int y = std::atoi((*answer)[1].c_str());
    const solvar::engine::Node node{x + 1, y + 1};
    if (!board.IsPlayable(node.X, node.Y) || board.At(node) != solvar::engine::csFree) {
      return fail(colour, "answered a node that is not free (" + (*answer)[0] + " " + (*answer)[1] + ")");
    }
    const Side side = colour == 0 ? Side::Own : Side::Rival;
    solvar::engine::PlaceDot(board, node, side);
    solvar::engine::CaptureAfterMove(board, side, node, nullptr, options.GameRules);
    result.Record.Moves.emplace_back(side, node);
    const std::string play = "play " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(colour);
    for (int each = 0; each < 2; ++each) {
      if (!byColour[static_cast<std::size_t>(each)]->Ask(play)) return fail(each, play);
    }
    ++result.Moves;
    colour = 1 - colour;
  }
  const solvar::engine::CellCounts counts = solvar::engine::CountCells(board);
  const int marginOfFirst = counts.OwnScore - counts.RivalScore;
  result.MarginOfA = colourOfA == 0 ? marginOfFirst : -marginOfFirst;
  result.Record.Result = marginOfFirst > 0   ? "B+" + std::to_string(marginOfFirst)
                         : marginOfFirst < 0 ? "W+" + std::to_string(-marginOfFirst)
                                             : "0";
  return result;
}

void Save(const Options& options, int game, const GameResult& result) {
  if (options.SaveTo.empty()) return;
  char name[32];
  std::snprintf(name, sizeof name, "/game-%02d.sgf", game);
  std::ofstream(options.SaveTo + name, std::ios::binary) << solvar::match::WriteSgf(result.Record, "");
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto options = ReadOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: solvar-ab [--games N] [--size W H] [--time MS | --complexity C] [--rules classic|sport] "
                 "[--seed S] [--save DIR] ENGINE-A ENGINE-B\n");
    return 2;
  }
  const std::string budget = options->Complexity > 0 ? "complexity " + std::to_string(options->Complexity)
                                                     : std::to_string(options->TimeMs) + " ms";
  std::printf("A: %s\nB: %s\n%d games on %d x %d, %s rules, %s a move\n", options->EngineA.c_str(),
              options->EngineB.c_str(), options->Games, options->Width, options->Height,
              options->GameRules == Rules::Sport ? "sport" : "classic", budget.c_str());
  int wins = 0;
  int draws = 0;
  long marginSum = 0;
  int worst = 0;
  int best = 0;
  for (int game = 0; game < options->Games; ++game) {
    const int colourOfA = game % 2;
    const GameResult result = PlayGame(*options, colourOfA, options->Seed + game);
    Save(*options, game + 1, result);
    wins += result.MarginOfA > 0 ? 1 : 0;
    draws += result.MarginOfA == 0 ? 1 : 0;
    if (result.Failure.empty()) marginSum += result.MarginOfA;
    worst = std::min(worst, result.MarginOfA);
    best = std::max(best, result.MarginOfA);
    std::printf("game %2d  A moves %s  %4d moves  margin of A %+5d  %s%s\n", game + 1, colourOfA == 0 ? "first " : "second",
                result.Moves, result.MarginOfA, result.MarginOfA > 0 ? "A won" : result.MarginOfA < 0 ? "B won" : "draw",
                result.Failure.empty() ? "" : ("  (" + result.Failure + ")").c_str());
    std::fflush(stdout);
  }
  const int losses = options->Games - wins - draws;
  std::printf("A won %d, drew %d, lost %d of %d: %.1f %% of the points; average margin %+.1f; worst loss %d; best win %+d\n",
              wins, draws, losses, options->Games, 100.0 * (wins + 0.5 * draws) / options->Games,
              static_cast<double>(marginSum) / options->Games, worst, best);
  return 0;
}
