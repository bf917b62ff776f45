#pragma once
// What is kept of a game: the field size, the dots put on the field before
// it (set-up), the dots played in order and by side, the players' names and
// the result, as a saved game holds them.

#include <optional>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/capture_scan.h"

namespace solvar::match {

// A ring of dots round a captured region, in order, as a saved game writes
// it after the move that made the capture.
using Ring = std::vector<engine::Node>;

struct PlayedMove {
  PlayedMove() = default;
  PlayedMove(engine::Side mover, engine::Node dot, std::vector<Ring> paths = {})
      : Mover(mover), Dot(dot), Paths(std::move(paths)) {}

  engine::Side Mover = engine::Side::Own;
  engine::Node Dot;
  // The enclosures taken on this move, each the ring round its region.
  std::vector<Ring> Paths;
  // In a timed game, the mover's time left after the move, in seconds (BL
  // or WL after the move in a saved game).
  std::optional<double> ClockLeft;
  friend bool operator==(const PlayedMove&, const PlayedMove&) = default;
};

// A property of a saved game kept as the file had it (values in UTF-8).
struct KeptProperty {
  std::string Id;
  std::vector<std::string> Values;
  friend bool operator==(const KeptProperty&, const KeptProperty&) = default;
};

// How a recorded game ended other than by the last free node: an empty move
// (the side grounds its dots and ends the game) or a resignation.
struct GameEnd {
  engine::Side By = engine::Side::Own;
  bool Resigned = false;
  friend bool operator==(const GameEnd&, const GameEnd&) = default;
};

// The strong computer's judgement of one move: the first side's expected
// lead (its captures less the second side's) after the move, and the node
// it would have played instead with the lead after that one.
struct MoveJudgement {
  double Lead = 0;
  engine::Node Best;
  double BestLead = 0;
  friend bool operator==(const MoveJudgement&, const MoveJudgement&) = default;
};

struct GameRecord {
  int FieldWidth = engine::DefaultFieldWidth;
  int FieldHeight = engine::DefaultFieldHeight;
  std::vector<PlayedMove> Setup;  // dots put before the game, no captures made
  std::vector<PlayedMove> Moves;
  std::string Player1 = "Игрок";  // side 1, UTF-8
  std::string Player2;            // side 2, UTF-8
  // "B+3", "W+1", "0" for a draw, "B+R" / "W+R" when side 2 / side 1 gave
  // up; empty while the game goes on.
  std::string Result;
  engine::Rules Rules = engine::Rules::Classic;
  // Captures are the recorded enclosures, not what the rules find (games of
  // a site where closing an enclosure is the player's choice).
  bool CapturesFollowPaths = false;
  std::optional<GameEnd> End;
  // What a game opened from a file keeps when it is saved again: its date,
  // its rules as the file spelled them, its other properties (ratings,
  // event, comments ...) and the comments on its moves (by move).
  std::string Date;
  std::string RulesText;
  std::vector<KeptProperty> Kept;
  std::vector<std::string> MoveComments;
  // The analysis of the game, by move (empty when it has none).
  std::vector<MoveJudgement> Analysis;
  // The time control, as TM (the main time, in seconds) and OT (as the file
  // or the program wrote it); each side's time at the start (BL and WL
  // before the first move) where the file gives it.
  std::optional<double> TimeMain;
  std::string Overtime;
  std::optional<double> StartClock[2];
};

// The ordinary move: the side's dot, then what it takes by the rules (under
// the classic rules the capture scan for the side and the one for the other
// side). Every dot of a game, played or replayed, goes through it.
inline void PlayOrdinaryMove(engine::Board& board, engine::Side side, engine::Node node,
                             engine::CaptureObserver& captures, engine::Rules rules = engine::Rules::Classic) {
  engine::PlaceDot(board, node, side);
  engine::CaptureAfterMove(board, side, node, &captures, rules);
}

}  // namespace solvar::match
