#include "engine_driver/analysis_csv.h"

#include <charconv>
#include <fstream>
#include <ostream>
#include <sstream>

#include "match/sgf_file.h"

namespace solvar::tools {

namespace {

std::optional<long long> Whole(const std::string& text, long long least) {
  long long value = 0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  if (read.ec != std::errc() || read.ptr != text.data() + text.size() || value < least) return std::nullopt;
  return value;
}

std::string Lead(double lead) {
  char buffer[32];
  const auto written = std::to_chars(std::begin(buffer), std::end(buffer), lead, std::chars_format::fixed, 1);
  const std::string text(buffer, written.ptr);
  return text == "-0.0" ? "0.0" : text;
}

// A saved game of at most 4 MiB, as the window opens them.
std::optional<std::string> ReadGameFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

std::optional<AnalyseOptions> ReadAnalyseOptions(const std::vector<std::string>& words, std::ostream& err) {
  AnalyseOptions options;
  bool playouts = false;
  bool movetime = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool hasValue = i + 1 < words.size();
    std::optional<long long> value;
    if (word == "--seed" && hasValue && (value = Whole(words[i + 1], 0))) {
      options.Budget.Seed = static_cast<std::uint64_t>(*value);
    } else if (word == "--playouts" && hasValue && (value = Whole(words[i + 1], 1)) && *value <= 100'000'000) {
      options.Budget.Playouts = static_cast<long>(*value);
      playouts = true;
    } else if (word == "--movetime" && hasValue && (value = Whole(words[i + 1], 1)) && *value <= 3'600'000) {
      options.Budget.MoveTimeMs = static_cast<int>(*value);
      movetime = true;
    } else if (word.rfind("--", 0) != 0 && options.File.empty()) {
      options.File = word;
      continue;
    } else {
      err << "solvar-engine: --analyse: '" << word << "' is not understood here\n";
      return std::nullopt;
    }
    ++i;
  }
  if (options.File.empty()) {
    err << "solvar-engine: --analyse needs a saved game (FILE.sgf)\n";
    return std::nullopt;
  }
  if (playouts && movetime) {
    err << "solvar-engine: --analyse takes --playouts or --movetime, not both\n";
    return std::nullopt;
  }
  if (movetime) options.Budget.Playouts = 0;
  return options;
}

int AnalyseToCsv(const AnalyseOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<std::string> text = ReadGameFile(options.File);
  if (!text) {
    err << "solvar-engine: " << options.File << ": cannot be read\n";
    return 2;
  }
  match::OpenedGame opened;
  try {
    opened = match::OpenSgf(*text);
  } catch (const match::SgfError& error) {
    err << "solvar-engine: " << options.File << ": not a game that can be analysed: " << error.what() << "\n";
    return 2;
  }
  if (!opened.AssumedEnglish.empty()) err << "solvar-engine: " << options.File << ": " << opened.AssumedEnglish << "\n";
  if (!opened.IsWhole()) err << "solvar-engine: " << options.File << ": " << opened.NoteEnglish << "\n";
  const match::GameRecord& record = opened.Record;
  out << "move,side,x,y,lead,best_x,best_y,best_lead\n";
  match::AnalyseGame(record, options.Budget, [&](int move, const match::MoveJudgement& judgement) {
    const match::PlayedMove& played = record.Moves[static_cast<std::size_t>(move - 1)];
    out << move << ',' << (played.Mover == engine::Side::Own ? 1 : 2) << ',' << played.Dot.X << ',' << played.Dot.Y << ','
        << Lead(judgement.Lead) << ',' << judgement.Best.X << ',' << judgement.Best.Y << ',' << Lead(judgement.BestLead)
        << '\n'
        << std::flush;
  });
  return 0;
}

}  // namespace solvar::tools
