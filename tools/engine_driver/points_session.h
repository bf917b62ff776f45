#pragma once
// The engine on the dots engines' common protocol (see match/points_protocol.h),
// for other dots programs' windows: one command a line, one answer a line.
// "gen_move" asks the strong computer at its usual time a move,
// "gen_move_with_time" within the time given, "gen_move_with_complexity"
// the standard computer at 0 and the strong one with 200 random games for
// each step of 1..100; none of them plays its node.

#include <array>
#include <string>
#include <string_view>

#include "ai/strong_search.h"
#include "engine/random.h"
#include "match/match.h"
#include "match/points_protocol.h"
#include "records/records_table.h"

namespace solvar::tools {

class PointsSession {
 public:
  // Every field `init` makes starts from `opening` (random crosses drawn
  // from init's seed).
  explicit PointsSession(engine::Rules rules, match::Opening opening = match::Opening::Empty);

  // The answer to one line, its end of line included; empty for an empty
  // line.
  std::string Handle(std::string_view line);
  bool Finished() const { return m_finished; }
  const engine::Board& Board() const { return m_match.Board(); }

 private:
  using Args = std::vector<std::string>;
  // The arguments of a successful answer; none for an error.
  using Result = std::optional<std::string>;

  Result Dispatch(const std::string& command, const Args& args);
  Result Init(const Args& args);
  Result Play(const Args& args);
  Result GenMove(const std::string& command, const Args& args);
  Result Undo(const Args& args);
  // A node of the field given in the protocol's coordinates.
  std::optional<engine::Node> NodeOf(const std::string& x, const std::string& y) const;
  std::optional<engine::Node> Choose(engine::Side mover, const ai::SearchLimits& limits, bool standard);

  engine::Rules m_rules;
  match::Opening m_opening;
  engine::Random m_random;
  std::array<ai::StrongSearch, 2> m_searches;  // each colour's, kept from move to move
  records::RecordsTable m_records;
  match::MatchObserver m_quiet;
  match::Match m_match{m_quiet, m_random, m_records};
  bool m_initialised = false;
  bool m_finished = false;
};

}  // namespace solvar::tools
