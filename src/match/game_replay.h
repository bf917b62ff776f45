#pragma once
// A recorded game played again on a Board of its own, to any move: the field
// framed, the set-up dots put, then the moves played as in the game (each
// dot, then both capture scans), so captures come out exactly as they did.
// The dots and captures are reported as they are played (no remarks, no log
// lines), for a window to paint them.

#include <stdexcept>
#include <string>

#include "engine/board.h"
#include "match/game_record.h"
#include "match/match_observer.h"

namespace solvar::match {

// A move that is not a free playable node when it comes; `MoveNumber` is 0
// for a set-up dot.
class ReplayError : public std::runtime_error {
 public:
  ReplayError(int moveNumber, engine::Node node, bool offField);
  int MoveNumber() const { return m_moveNumber; }
  engine::Node Node() const { return m_node; }
  bool OffField() const { return m_offField; }

 private:
  int m_moveNumber;
  engine::Node m_node;
  bool m_offField;
};

class GameReplay {
 public:
  // Plays the whole game once to check it; raises ReplayError for a dot off
  // the field or on a node that is not free.
  explicit GameReplay(GameRecord record);

  const GameRecord& Record() const { return m_record; }
  int MoveCount() const { return static_cast<int>(m_record.Moves.size()); }
  // How many moves are on the Board now.
  int Position() const { return m_position; }
  const engine::Board& Board() const { return m_board; }

  // Rebuilds the position after `moves` moves (clamped to 0..MoveCount),
  // reporting every dot and capture to `observer` as it is played.
  void ShowPosition(int moves, MatchObserver& observer);

 private:
  void Rebuild(int moves, MatchObserver* observer);

  GameRecord m_record;
  engine::Board m_board;
  int m_position = 0;
};

}  // namespace solvar::match
