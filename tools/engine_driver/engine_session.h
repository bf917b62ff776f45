#pragma once
// The headless engine driver: a line protocol through which scripts and
// other programs set up positions, ask for the computer's move and play
// whole games without the window.
//
// One command per line; each answer starts with "=" (success) or "?"
// (failure, then a message) and ends with one empty line. A one-line result
// follows "= " on the same line; a multi-line result starts on the next line.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ai/strong_search.h"
#include "engine/board.h"
#include "engine/capture_scan.h"
#include "engine/random.h"
#include "match/match.h"
#include "records/records_table.h"

namespace solvar::tools {

class EngineSession {
 public:
  EngineSession();

  // Handles one input line. Returns the whole answer, its closing empty line
  // included, or an empty string for a line that is ignored.
  std::string Handle(std::string_view line);
  bool Finished() const { return m_finished; }

 private:
  using Args = std::vector<std::string>;
  struct Reply {
    bool Ok = true;
    std::string Text;
    bool MultiLine = false;
  };

  Reply Dispatch(const std::string& command, const Args& args);
  Reply BoardSize(const Args& args);
  Reply ClearBoard(const Args& args);
  Reply Set(const Args& args);
  Reply Play(const Args& args);
  Reply GenMove(const Args& args);
  Reply Threat(const Args& args);
  Reply Scan(const Args& args);
  Reply LastPlayerMove(const Args& args);
  Reply Seed(const Args& args);
  Reply ShowBoard(const Args& args);
  Reply Count(const Args& args);
  Reply SelfPlay(const Args& args);
  Reply Level(const Args& args);
  Reply SetRules(const Args& args);
  Reply Undo(const Args& args);
  Reply Hint(const Args& args);
  Reply MoveTime(const Args& args);
  Reply Playouts(const Args& args);
  Reply SaveSgf(const Args& args);
  Reply LoadSgf(const Args& args);
  Reply Opening(const Args& args);
  Reply Clock(const Args& args);
  // The computer that plays the side: the standard one, or the strong one.
  match::ComputerChoice ChoiceFor(engine::Side side);
  Reply ListCommands(const Args& args);

  void ResetBoard();

  // Collects the outlines of the captures, for the "scan" answer.
  class OutlineCollector : public match::MatchObserver {
   public:
    void OnCapture(const engine::Outline& outline) override { outlines.push_back(outline); }
    std::vector<engine::Outline> outlines;
  };

  engine::Random m_random;
  records::RecordsTable m_records;
  OutlineCollector m_outlines;
  match::Match m_match{m_outlines, m_random, m_records};
  engine::Board& m_board = m_match.Board();
  std::array<bool, 2> m_strong{};  // own, rival
  std::array<ai::StrongSearch, 2> m_searches;  // each side's, kept from move to move
  ai::SearchLimits m_limits;
  // The clocks of the game last loaded (its time control and each side's
  // time at the start); none since the field was cleared.
  std::optional<match::GameRecord> m_loadedClocks;
  bool m_finished = false;
};

}  // namespace solvar::tools
