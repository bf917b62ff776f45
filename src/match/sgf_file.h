#pragma once
// Games as SGF text (FF[4], GM[40], the format players of dots exchange
// games in): one game tree, the root holding the field size, the rules, the
// players, the date and the result, then one node per dot in the order
// played, B for side 1 and W for side 2. A node is written as two letters,
// x - 1 and y - 1, each a-z for 0-25 and A-Z for 26-51; SZ is the grid of
// playable nodes, (W - 1) x (H - 1) for a field of W x H, as SZ[N] when
// square and SZ[COLS:ROWS] otherwise. Set-up dots are AB and AW. A move that
// takes a region is followed by the ring round it: "B[xy.r1r2...r1]", one
// ".ring" for each enclosure, as the dots sites write them.
//
// Reading takes what the dots sites and programs write: their spellings of
// RU (a site's option list, "russian", a neural engine's
// dotsCaptureEmptyBase0/1), enclosures after the moves (followed exactly
// where the file's rules make enclosing a choice), several moves in one
// node, an empty move or "resign" ending the game, names in UTF-8 or
// Windows-1251. It is tolerant as SGF readers are (any order of properties,
// unknown properties and comments kept, white space, variations of which
// only the main line is read) and strict about what would corrupt a game: a
// game that is not GM[40], a field the Board cannot hold, a node off the
// grid, a file cut short. A file that names no rules is read by the classic
// rules, or by the sport rules when the classic ones cannot play it to its
// end and the sport ones can (or get further), or when it records an
// enclosure the classic rules would not have made. A file without GM is
// still read when it has a field size and its moves are nodes of two
// letters, as a game of dots has.

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

// `date` as YYYY-MM-DD, used when the record keeps no date of its own.
std::string WriteSgf(const GameRecord& record, const std::string& date);

// A game read from a file. One that cannot be played to its end is cut
// after its last playable move, and the notes say which move and why.
struct OpenedGame {
  GameRecord Record;
  std::string NoteEnglish;
  std::string NoteRussian;
  bool IsWhole() const { return NoteEnglish.empty(); }
  // What the reader took for granted where the file was silent: a game of
  // dots without GM, the sport rules for a file that names none.
  std::string AssumedEnglish;
  std::string AssumedRussian;
};

// Reads the main line of the first game; raises SgfError for a file that is
// refused.
OpenedGame OpenSgf(std::string_view text);

// The same, refusing also a game that cannot be played to its end.
GameRecord ReadSgf(std::string_view text);

// The rules a game's RU names; `enclosingIsAChoice` is set for a site whose
// players choose whether to close an enclosure. None for a spelling not known.
std::optional<engine::Rules> RulesOfSgf(std::string_view ru, bool* enclosingIsAChoice = nullptr);

// The result as a player reads it («выиграл ... на 3», «ничья»), from RE and
// the players' names; empty when there is none.
std::string ResultDescription(const GameRecord& record);

}  // namespace solvar::match
