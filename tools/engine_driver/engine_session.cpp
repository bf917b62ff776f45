#include "engine_driver/engine_session.h"

#include <chrono>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

#include "ai/threat.h"
#include "match/game_clock.h"
#include "match/game_replay.h"
#include "match/openings.h"
#include "match/sgf_file.h"
#include "solvar/version.h"

namespace solvar::tools {

namespace {

using engine::Node;
using engine::Side;

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<Side> ParseSide(const std::string& text) {
  if (text == "own") return Side::Own;
  if (text == "rival") return Side::Rival;
  return std::nullopt;
}

std::string Today() {
  const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
                static_cast<unsigned>(day.day()));
  return text;
}

std::string Trim(std::string_view line) {
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = line.find_last_not_of(" \t\r");
  return std::string(line.substr(first, last - first + 1));
}

const std::vector<std::string>& CommandNames() {
  static const std::vector<std::string> names{
      "boardsize", "clear_board", "clock", "count", "genmove", "hint", "last_player_move", "level", "list_commands",
      "loadsgf", "movetime", "name", "opening", "play", "playouts", "quit", "rules", "savesgf", "scan", "seed",
      "selfplay", "set", "showboard", "threat", "undo", "version"};
  return names;
}

}  // namespace

EngineSession::EngineSession() { ResetBoard(); }

void EngineSession::ResetBoard() {
  m_loadedClocks.reset();
  m_match.ResetPosition();
  m_match.SetLastPlayerMove(Node{0, 0});
}

std::string EngineSession::Handle(std::string_view rawLine) {
  const std::string line = Trim(rawLine);
  if (line.empty() || line.front() == '#') return {};
  std::istringstream words(line);
  std::string command;
  words >> command;
  Args args;
  for (std::string word; words >> word;) args.push_back(word);

  const Reply reply = Dispatch(command, args);
  if (!reply.Ok) return "? " + reply.Text + "\n\n";
  if (reply.MultiLine) return "=\n" + reply.Text + "\n";
  return reply.Text.empty() ? "=\n\n" : "= " + reply.Text + "\n\n";
}

EngineSession::Reply EngineSession::Dispatch(const std::string& command, const Args& args) {
  using Handler = Reply (EngineSession::*)(const Args&);
  static const std::map<std::string, Handler> handlers{
      {"boardsize", &EngineSession::BoardSize},
      {"clear_board", &EngineSession::ClearBoard},
      {"set", &EngineSession::Set},
      {"play", &EngineSession::Play},
      {"genmove", &EngineSession::GenMove},
      {"threat", &EngineSession::Threat},
      {"scan", &EngineSession::Scan},
      {"last_player_move", &EngineSession::LastPlayerMove},
      {"seed", &EngineSession::Seed},
      {"showboard", &EngineSession::ShowBoard},
      {"count", &EngineSession::Count},
      {"selfplay", &EngineSession::SelfPlay},
      {"list_commands", &EngineSession::ListCommands},
      {"level", &EngineSession::Level},
      {"movetime", &EngineSession::MoveTime},
      {"playouts", &EngineSession::Playouts},
      {"savesgf", &EngineSession::SaveSgf},
      {"loadsgf", &EngineSession::LoadSgf},
      {"rules", &EngineSession::SetRules},
      {"undo", &EngineSession::Undo},
      {"hint", &EngineSession::Hint},
      {"opening", &EngineSession::Opening},
      {"clock", &EngineSession::Clock},
  };
  if (command == "name") return Reply{true, "solvar-engine"};
  if (command == "version") return Reply{true, ProgramVersion};
  if (command == "quit") {
    m_finished = true;
    return Reply{};
  }
  const auto handler = handlers.find(command);
  if (handler == handlers.end()) return Reply{false, "unknown command"};
  return (this->*handler->second)(args);
}

EngineSession::Reply EngineSession::BoardSize(const Args& args) {
  if (args.size() != 2) return Reply{false, "usage: boardsize W H"};
  const auto w = ParseInt(args[0]);
  const auto h = ParseInt(args[1]);
  if (!w || !h || !engine::IsAllowedFieldSize(*w, *h)) {
    return Reply{false, "field size must be 15..45 by 15..35"};
  }
  m_board.SetFieldSize(*w, *h);
  ResetBoard();
  return Reply{};
}

EngineSession::Reply EngineSession::ClearBoard(const Args& args) {
  if (!args.empty()) return Reply{false, "usage: clear_board"};
  ResetBoard();
  return Reply{};
}

EngineSession::Reply EngineSession::Set(const Args& args) {
  if (args.size() != 3) return Reply{false, "usage: set X Y CODE"};
  const auto x = ParseInt(args[0]);
  const auto y = ParseInt(args[1]);
  const auto code = ParseInt(args[2]);
  if (!x || !y || !m_board.InField(*x, *y)) return Reply{false, "node outside the field"};
  if (!code || *code < 0 || *code >= engine::CellStateCount) return Reply{false, "code must be 0..7"};
  m_match.SetUpCell(Node{*x, *y}, static_cast<engine::CellState>(*code));
  return Reply{};
}

EngineSession::Reply EngineSession::Play(const Args& args) {
  if (args.size() != 3) return Reply{false, "usage: play SIDE X Y"};
  const auto side = ParseSide(args[0]);
  const auto x = ParseInt(args[1]);
  const auto y = ParseInt(args[2]);
  if (!side) return Reply{false, "side must be own or rival"};
  if (!x || !y || !m_board.IsPlayable(*x, *y) || m_board.At(*x, *y) != engine::csFree) {
    return Reply{false, "not a free playable node"};
  }
  m_match.PlayDot(*side, Node{*x, *y});
  return Reply{};
}

EngineSession::Reply EngineSession::GenMove(const Args& args) {
  const auto side = args.size() == 1 ? ParseSide(args[0]) : std::nullopt;
  if (!side) return Reply{false, "usage: genmove own|rival"};
  const auto node = m_match.ComputerMove(*side, ChoiceFor(*side));
  if (!node) return Reply{false, "no free node"};
  return Reply{true, std::to_string(node->X) + " " + std::to_string(node->Y)};
}

EngineSession::Reply EngineSession::Threat(const Args& args) {
  const auto side = args.size() == 1 ? ParseSide(args[0]) : std::nullopt;
  if (!side) return Reply{false, "usage: threat own|rival"};
  const ai::ThreatResult result = ai::EvaluateThreat(m_board, *side);
  return Reply{true, std::to_string(result.Level) + " " + std::to_string(result.X) + " " +
                         std::to_string(result.Y)};
}

EngineSession::Reply EngineSession::Scan(const Args& args) {
  const auto side = args.size() == 1 ? ParseSide(args[0]) : std::nullopt;
  if (!side) return Reply{false, "usage: scan own|rival"};
  m_outlines.outlines.clear();
  m_match.Scan(*side);
  std::string text = std::to_string(m_outlines.outlines.size()) + "\n";
  for (const auto& outline : m_outlines.outlines) {
    text += std::to_string(outline.DotsInside);
    for (const Node v : outline.Vertices) {
      text += " " + std::to_string(v.X) + "," + std::to_string(v.Y);
    }
    text += "\n";
  }
  return Reply{true, text, true};
}

EngineSession::Reply EngineSession::LastPlayerMove(const Args& args) {
  if (args.size() != 2) return Reply{false, "usage: last_player_move X Y"};
  const auto x = ParseInt(args[0]);
  const auto y = ParseInt(args[1]);
  if (!x || !y) return Reply{false, "coordinates must be integers"};
  m_match.SetLastPlayerMove(Node{*x, *y});
  return Reply{};
}

EngineSession::Reply EngineSession::Seed(const Args& args) {
  std::uint64_t seed = 0;
  if (args.size() != 1) return Reply{false, "usage: seed N"};
  const std::string& text = args[0];
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (ec != std::errc() || ptr != text.data() + text.size()) return Reply{false, "seed must be a number"};
  m_random.FixSeed(seed);
  return Reply{};
}

EngineSession::Reply EngineSession::ShowBoard(const Args&) {
  std::string text;
  for (int y = 0; y <= m_board.FieldHeight(); ++y) {
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      text += static_cast<char>('0' + m_board.At(x, y));
    }
    text += "\n";
  }
  return Reply{true, text, true};
}

EngineSession::Reply EngineSession::Count(const Args&) {
  const engine::CellCounts counts = engine::CountCells(m_board);
  return Reply{true, std::to_string(counts.OwnScore) + " " + std::to_string(counts.RivalScore) +
                         " " + std::to_string(counts.FreeCount)};
}

// Plays on as the hidden computer-against-computer mode does: side 1 then
// side 2 each round, stopping as soon as no free node is left.
EngineSession::Reply EngineSession::SelfPlay(const Args&) {
  Side mover = Side::Own;
  const int moves =
      m_match.SelfPlay(mover, std::numeric_limits<int>::max(), ChoiceFor(Side::Own), ChoiceFor(Side::Rival));
  const engine::CellCounts counts = engine::CountCells(m_board);
  return Reply{true, std::to_string(counts.OwnScore) + " " + std::to_string(counts.RivalScore) +
                         " " + std::to_string(moves)};
}

match::ComputerChoice EngineSession::ChoiceFor(Side side) {
  const std::size_t index = side == Side::Own ? 0 : 1;
  if (!m_strong[index]) return m_match.StandardChoice();
  return [this, index](Side mover) { return m_searches[index].Choose(m_board, mover, m_limits, m_random.NextSeed()); };
}

EngineSession::Reply EngineSession::Level(const Args& args) {
  const auto side = args.size() == 2 ? ParseSide(args[0]) : std::nullopt;
  if (!side || (args[1] != "standard" && args[1] != "strong")) return Reply{false, "usage: level own|rival standard|strong"};
  m_strong[*side == Side::Own ? 0 : 1] = args[1] == "strong";
  return Reply{};
}

// Takes back the last dot, of either side, exactly: the position is played
// again from the start of the game.
EngineSession::Reply EngineSession::Undo(const Args& args) {
  if (!args.empty()) return Reply{false, "usage: undo"};
  if (m_match.Moves().empty()) return Reply{false, "no move to take back"};
  m_match.TakeBackDots(1);
  return Reply{};
}

// The strong computer's node for the side, not played.
EngineSession::Reply EngineSession::Hint(const Args& args) {
  const auto side = args.size() == 1 ? ParseSide(args[0]) : std::nullopt;
  if (!side) return Reply{false, "usage: hint own|rival"};
  const auto node = ai::ChooseStrongNode(m_board, *side, m_limits, m_random.NextSeed());
  if (!node) return Reply{false, "no free node"};
  return Reply{true, std::to_string(node->X) + " " + std::to_string(node->Y)};
}

// The rules of the dots played from now on, by both computers and "play".
EngineSession::Reply EngineSession::SetRules(const Args& args) {
  if (args.size() != 1 || (args[0] != "classic" && args[0] != "sport")) return Reply{false, "usage: rules classic|sport"};
  const engine::Rules rules = args[0] == "sport" ? engine::Rules::Sport : engine::Rules::Classic;
  m_match.SetRules(rules);
  m_limits.Rules = rules;
  return Reply{};
}

EngineSession::Reply EngineSession::MoveTime(const Args& args) {
  const auto ms = args.size() == 1 ? ParseInt(args[0]) : std::nullopt;
  if (!ms || *ms <= 0) return Reply{false, "usage: movetime MS (above 0)"};
  m_limits.MoveTimeMs = *ms;
  return Reply{};
}

EngineSession::Reply EngineSession::Playouts(const Args& args) {
  const auto games = args.size() == 1 ? ParseInt(args[0]) : std::nullopt;
  if (!games || *games < 0) return Reply{false, "usage: playouts N (0 for movetime)"};
  m_limits.Playouts = *games;
  return Reply{};
}

// The game since the last boardsize or clear_board: the set-up dots, every
// dot played, the computers' names by their levels, and the count when no
// free node is left.
EngineSession::Reply EngineSession::SaveSgf(const Args& args) {
  if (args.size() != 1) return Reply{false, "usage: savesgf FILE"};
  match::GameRecord record = m_match.Record();
  record.Player1 = m_strong[0] ? "Компьютер (сильный)" : "Игрок";
  record.Player2 = m_strong[1] ? "Компьютер (сильный)" : "Компьютер (обычный)";
  const engine::CellCounts counts = engine::CountCells(m_board);
  if (counts.FreeCount == 0) {
    const int margin = counts.OwnScore - counts.RivalScore;
    record.Result = margin == 0 ? "0" : (margin > 0 ? "B+" : "W+") + std::to_string(margin > 0 ? margin : -margin);
  }
  std::ofstream file(args[0], std::ios::binary);
  file << match::WriteSgf(record, Today());
  file.close();
  if (!file) return Reply{false, "cannot write " + args[0]};
  return Reply{};
}

EngineSession::Reply EngineSession::LoadSgf(const Args& args) {
  if (args.size() != 1) return Reply{false, "usage: loadsgf FILE"};
  std::ifstream file(args[0], std::ios::binary);
  if (!file) return Reply{false, "cannot read " + args[0]};
  std::ostringstream text;
  text << file.rdbuf();
  try {
    const match::GameRecord record = match::ReadSgf(text.str());
    const match::GameReplay replay(record);
    m_match.TakeRecord(record, replay.Board());
    m_limits.Rules = record.Rules;
    m_loadedClocks.reset();
    if (match::HasClocks(record)) m_loadedClocks = record;
  } catch (const match::SgfError& error) {
    return Reply{false, error.what()};
  }
  return Reply{};
}

// "opening empty|cross|two|four|random [SEED]": a new game on the field of
// the current size from that start (random crosses drawn from SEED).
EngineSession::Reply EngineSession::Opening(const Args& args) {
  const auto opening = args.empty() || args.size() > 2 ? std::nullopt : match::OpeningOfWord(args[0]);
  std::uint64_t seed = 0;
  if (args.size() == 2) {
    const auto [end, error] = std::from_chars(args[1].data(), args[1].data() + args[1].size(), seed);
    if (error != std::errc() || end != args[1].data() + args[1].size()) return Reply{false, "usage: opening empty|cross|two|four|random [SEED]"};
  } else {
    seed = m_random.NextSeed();
  }
  if (!opening) return Reply{false, "usage: opening empty|cross|two|four|random [SEED]"};
  ResetBoard();
  m_match.PlaceOpening(*opening, seed);
  return Reply{};
}

// "clock": side 1's and side 2's time left in seconds after the current
// move, as the loaded game's file has them (the last BL and WL up to it);
// "- -" when it has none.
EngineSession::Reply EngineSession::Clock(const Args& args) {
  if (!args.empty()) return Reply{false, "usage: clock"};
  if (!m_loadedClocks) return Reply{true, "- -"};
  match::GameRecord now = *m_loadedClocks;
  now.Moves = m_match.Moves();
  const auto left = match::RecordedClocks(now, static_cast<int>(now.Moves.size()));
  const auto text = [](const std::optional<double>& seconds) {
    if (!seconds) return std::string("-");
    char value[32];
    std::snprintf(value, sizeof value, "%.1f", *seconds);
    return std::string(value);
  };
  return Reply{true, text(left[0]) + " " + text(left[1])};
}

EngineSession::Reply EngineSession::ListCommands(const Args&) {
  std::string text;
  for (const auto& name : CommandNames()) text += name + "\n";
  return Reply{true, text, true};
}

}  // namespace solvar::tools
