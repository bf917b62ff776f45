#include "engine_driver/points_session.h"

#include <charconv>

#include "solvar/version.h"

namespace solvar::tools {

namespace {

using engine::Node;
using engine::Side;

constexpr int DefaultMoveTimeMs = 1000;
constexpr long PlayoutsPerComplexity = 200;

std::optional<int> Int(const std::string& word) {
  const auto value = match::ParsePointsNumber(word);
  if (!value || *value < -1000000000L || *value > 1000000000L) return std::nullopt;
  return static_cast<int>(*value);
}

// Any whole number: the seeds of other programs may be negative or above
// the range of a signed number.
std::optional<std::uint64_t> Seed(const std::string& word) {
  std::uint64_t seed = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), seed);
  if (error == std::errc() && end == word.data() + word.size()) return seed;
  if (const auto value = match::ParsePointsNumber(word)) return static_cast<std::uint64_t>(*value);
  return std::nullopt;
}

std::optional<Side> Colour(const std::string& word) {
  if (word == "0") return Side::Own;
  if (word == "1") return Side::Rival;
  return std::nullopt;
}

// The search stops a little before the time given, so that the answer is
// written within it.
int SearchTimeWithin(int ms) { return std::max(1, ms - std::max(20, ms / 10)); }

const char* const Commands =
    "author gen_move gen_move_with_complexity gen_move_with_time init license list_commands name play quit undo "
    "version";

}  // namespace

PointsSession::PointsSession(engine::Rules rules, match::Opening opening) : m_rules(rules), m_opening(opening) {}

std::string PointsSession::Handle(std::string_view text) {
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return {};
  const auto line = match::ParsePointsCommand(text);
  if (!line) {
    // No id to copy: the answer names what came.
    const std::size_t start = text.find_first_not_of(" \t");
    const std::size_t end = text.find_first_of(" \t\r\n", start);
    return "? " + std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)) +
           "\n";
  }
  const Result result = Dispatch(line->Command, line->Args);
  const std::string head = std::to_string(line->Id) + " " + line->Command;
  if (!result) return "? " + head + "\n";
  return "= " + head + (result->empty() ? "" : " " + *result) + "\n";
}

PointsSession::Result PointsSession::Dispatch(const std::string& command, const Args& args) {
  if (command == "list_commands") return std::string(Commands);
  if (command == "name") return std::string("solvar");
  if (command == "version") return std::string(ProgramVersion);
  if (command == "author") return std::string("solvar_developers");
  if (command == "license") return std::string("MIT");
  if (command == "quit") {
    m_finished = true;
    return std::string();
  }
  if (command == "init") return Init(args);
  if (!m_initialised) return std::nullopt;  // no field yet
  if (command == "play") return Play(args);
  if (command == "gen_move" || command == "gen_move_with_time" || command == "gen_move_with_complexity") {
    return GenMove(command, args);
  }
  if (command == "undo") return Undo(args);
  return std::nullopt;
}

// "init W H seed": an empty field of W x H nodes, every random draw from the
// seed on.
PointsSession::Result PointsSession::Init(const Args& args) {
  if (args.size() != 3) return std::nullopt;
  const auto width = Int(args[0]);
  const auto height = Int(args[1]);
  const auto seed = Seed(args[2]);
  if (!width || !height || !seed || !match::PointsFieldFits(*width, *height)) return std::nullopt;
  m_match.Board().SetFieldSize(*width + 1, *height + 1);
  m_match.SetRules(m_rules);
  m_match.ResetPosition();
  m_match.SetLastPlayerMove(Node{0, 0});
  m_random.FixSeed(*seed);
  m_match.PlaceOpening(m_opening, *seed);
  m_initialised = true;
  return std::string();
}

std::optional<Node> PointsSession::NodeOf(const std::string& x, const std::string& y) const {
  const auto px = Int(x);
  const auto py = Int(y);
  if (!px || !py) return std::nullopt;
  const Node node = match::FromPointsNode(*px, *py);
  if (!m_match.Board().IsPlayable(node.X, node.Y)) return std::nullopt;
  return node;
}

// "play x y colour": refused on a node that is not free.
PointsSession::Result PointsSession::Play(const Args& args) {
  if (args.size() != 3) return std::nullopt;
  const auto node = NodeOf(args[0], args[1]);
  const auto side = Colour(args[2]);
  if (!node || !side || !m_match.IsFreeNode(*node)) return std::nullopt;
  m_match.PlayDot(*side, *node);
  return args[0] + " " + args[1] + " " + args[2];
}

PointsSession::Result PointsSession::GenMove(const std::string& command, const Args& args) {
  const bool plain = command == "gen_move";
  if (args.size() != (plain ? 1U : 2U)) return std::nullopt;
  const auto side = Colour(args[0]);
  if (!side) return std::nullopt;
  ai::SearchLimits limits;
  limits.Rules = m_rules;
  limits.MoveTimeMs = DefaultMoveTimeMs;
  bool standard = false;
  if (command == "gen_move_with_time") {
    const auto ms = Int(args[1]);
    if (!ms || *ms <= 0) return std::nullopt;
    limits.MoveTimeMs = SearchTimeWithin(*ms);
  } else if (command == "gen_move_with_complexity") {
    const auto complexity = Int(args[1]);
    if (!complexity || *complexity < 0 || *complexity > 100) return std::nullopt;
    standard = *complexity == 0;
    limits.Playouts = PlayoutsPerComplexity * *complexity;
  }
  const auto node = Choose(*side, limits, standard);
  if (!node) return std::nullopt;
  return std::to_string(match::PointsX(*node)) + " " + std::to_string(match::PointsY(*node)) + " " + args[0];
}

// The standard computer plays beside the other side's last dot, as it
// plays beside the player's.
std::optional<Node> PointsSession::Choose(Side mover, const ai::SearchLimits& limits, bool standard) {
  if (standard) {
    for (auto move = m_match.Moves().rbegin(); move != m_match.Moves().rend(); ++move) {
      if (move->Mover != mover) {
        m_match.SetLastPlayerMove(move->Dot);
        break;
      }
    }
    return m_match.ChooseStandardMove(mover);
  }
  return m_searches[static_cast<std::size_t>(match::ColourOf(mover))].Choose(m_match.Board(), mover, limits,
                                                                            m_random.NextSeed());
}

PointsSession::Result PointsSession::Undo(const Args& args) {
  if (!args.empty() || m_match.Moves().empty()) return std::nullopt;
  m_match.TakeBackDots(1);
  return std::string();
}

}  // namespace solvar::tools
