#pragma once
// What each move of a game took: the other side's dots it captured, and the
// mover's own dots lost on it (a dot played into the other side's ring under
// the sport rules). It follows a game as it is played: the moves added since
// the last look are played on its own Board, and a game that no longer
// begins with the moves it counted (moves taken back, another game) is
// counted again from its start.

#include <vector>

#include "engine/board.h"
#include "match/game_record.h"

namespace solvar::match {

struct MoveCaptures {
  int Taken = 0;
  int Lost = 0;
  friend bool operator==(const MoveCaptures&, const MoveCaptures&) = default;
};

class MoveTally {
 public:
  // Brings the tally up to the record, which must be playable.
  void Follow(const GameRecord& record);
  const std::vector<MoveCaptures>& Captures() const { return m_captures; }

 private:
  bool Continues(const GameRecord& record) const;
  void Restart(const GameRecord& record);

  engine::Board m_board;
  GameRecord m_counted;  // the field, rules and moves counted so far
  std::vector<MoveCaptures> m_captures;
};

}  // namespace solvar::match
