#pragma once
// Games as SGF text (FF[4], GM[40], the format players of dots exchange
// games in): one game tree, the root holding the field size, the players,
// the date and the result, then one node per dot in the order played, B for
// side 1 and W for side 2. A node is written as two letters, x - 1 and y - 1,
// each a-z for 0-25 and A-Z for 26-51; SZ is the grid of playable nodes,
// (W - 1) x (H - 1) for a field of W x H, as SZ[N] when square and
// SZ[COLS:ROWS] otherwise. Set-up dots are AB and AW.
//
// Reading is tolerant as SGF readers are (any order of properties, unknown
// properties and comments ignored, white space between nodes, variations of
// which only the main line is read, lower-case CA values, a move's enclosure
// path after a "." ignored) and strict about what would corrupt a game: a
// game that is not GM[40], a field outside 15..45 x 15..35, a node off the
// grid, a dot on a node that is not free when it is played, a file cut short.

#include <stdexcept>
#include <string>
#include <string_view>

#include "match/game_record.h"

namespace solvar::match {

// A file refused, with what is wrong in English (what()) and in Russian for
// the player.
class SgfError : public std::runtime_error {
 public:
  SgfError(const std::string& english, std::string russian)
      : std::runtime_error(english), m_russian(std::move(russian)) {}
  const std::string& Russian() const { return m_russian; }

 private:
  std::string m_russian;
};

// `date` as YYYY-MM-DD.
std::string WriteSgf(const GameRecord& record, const std::string& date);

// Reads the main line of the first game; raises SgfError for a file that is
// refused. The moves are checked by playing them.
GameRecord ReadSgf(std::string_view text);

}  // namespace solvar::match
