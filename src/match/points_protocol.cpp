#include "match/points_protocol.h"

#include <charconv>

namespace solvar::match {

namespace {

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t\r\n", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = line.find_first_of(" \t\r\n", start);
    words.emplace_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    at = end == std::string_view::npos ? line.size() : end;
  }
  return words;
}

// Words from `first` on: the id, the command, the arguments.
std::optional<PointsLine> FromWords(const std::vector<std::string>& words, std::size_t first) {
  if (words.size() < first + 2) return std::nullopt;
  const auto id = ParsePointsNumber(words[first]);
  if (!id) return std::nullopt;
  PointsLine line;
  line.Id = *id;
  line.Command = words[first + 1];
  line.Args.assign(words.begin() + static_cast<std::ptrdiff_t>(first + 2), words.end());
  return line;
}

}  // namespace

std::optional<long> ParsePointsNumber(std::string_view word) {
  long value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, error] = std::from_chars(word.data(), end, value);
  if (word.empty() || error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<PointsLine> ParsePointsCommand(std::string_view text) { return FromWords(Words(text), 0); }

std::optional<PointsLine> ParsePointsAnswer(std::string_view text) {
  const std::vector<std::string> words = Words(text);
  if (words.empty() || (words[0] != "=" && words[0] != "?")) return std::nullopt;
  auto line = FromWords(words, 1);
  if (line) line->Ok = words[0] == "=";
  return line;
}

std::string PointsCommandText(long id, std::string_view command, const std::vector<std::string>& args) {
  std::string text = std::to_string(id) + " " + std::string(command);
  for (const std::string& arg : args) text += " " + arg;
  return text + "\n";
}

}  // namespace solvar::match
