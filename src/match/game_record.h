#pragma once
// What is kept of a game: the field size, the dots put on the field before
// it (set-up), the dots played in order and by side, the players' names and
// the result, as a saved game holds them.

#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/capture_scan.h"

namespace solvar::match {

struct PlayedMove {
  engine::Side Mover = engine::Side::Own;
  engine::Node Dot;
  friend bool operator==(const PlayedMove&, const PlayedMove&) = default;
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
