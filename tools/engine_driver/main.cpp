// solvar-engine: the engine driver on standard input and output, or with
// "--protocol points" the engine on the dots engines' common protocol, or
// with "--analyse FILE.sgf" the analysis of a saved game as CSV.
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include <vector>

#include "engine_driver/analysis_csv.h"
#include "engine_driver/engine_session.h"
#include "engine_driver/points_session.h"
#include "match/openings.h"
#include "solvar/version.h"

namespace {

struct Options {
  bool Points = false;
  std::optional<solvar::engine::Rules> Rules;
  solvar::match::Opening Start = solvar::match::Opening::Empty;
};

constexpr const char* Usage =
    "usage: solvar-engine [--protocol points] [--rules classic|sport] [--opening O] | --version\n"
    "       solvar-engine --analyse FILE.sgf [--seed S] [--playouts N | --movetime MS]\n"
    "  --protocol points  speak the dots engines' common protocol (version 6)\n"
    "  --rules R          the rules played (classic by default; sport with --protocol points)\n"
    "  --opening O        every field starts from O: empty (the default), cross, two, four\n"
    "                     or random (four crosses drawn from the seed of init)\n"
    "  --analyse FILE     the strong computer's analysis of a saved game, as CSV:\n"
    "                     move,side,x,y,lead,best_x,best_y,best_lead (N random games\n"
    "                     a position, 2000 by default, or MS milliseconds; seed 1)\n";

std::optional<Options> ReadOptions(int argc, char* argv[]) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const std::string value = i + 1 < argc ? argv[i + 1] : "";
    if (word == "--protocol" && value == "points") {
      options.Points = true;
    } else if (word == "--rules" && (value == "classic" || value == "sport")) {
      options.Rules = value == "sport" ? solvar::engine::Rules::Sport : solvar::engine::Rules::Classic;
    } else if (const auto opening = solvar::match::OpeningOfWord(value); word == "--opening" && opening) {
      options.Start = *opening;
    } else {
      return std::nullopt;
    }
    ++i;
  }
  return options;
}

template <class Session>
void Serve(Session& session) {
  std::string line;
  while (!session.Finished() && std::getline(std::cin, line)) std::cout << session.Handle(line) << std::flush;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "solvar-engine " << solvar::ProgramVersion << "\n";
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--analyse") == 0) {
    const auto analyse = solvar::tools::ReadAnalyseOptions(std::vector<std::string>(argv + 2, argv + argc), std::cerr);
    if (!analyse) {
      std::cerr << Usage;
      return 2;
    }
    return solvar::tools::AnalyseToCsv(*analyse, std::cout, std::cerr);
  }
  const auto options = ReadOptions(argc, argv);
  if (!options) {
    std::cerr << Usage;
    return 2;
  }
  if (options->Points) {
    solvar::tools::PointsSession session(options->Rules.value_or(solvar::engine::Rules::Sport), options->Start);
    Serve(session);
    return 0;
  }
  solvar::tools::EngineSession session;
  if (options->Rules) session.Handle(*options->Rules == solvar::engine::Rules::Sport ? "rules sport" : "rules classic");
  if (options->Start != solvar::match::Opening::Empty) {
    session.Handle("opening " + std::string(solvar::match::OpeningWord(options->Start)));
  }
  Serve(session);
  return 0;
}
