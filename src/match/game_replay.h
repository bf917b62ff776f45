#pragma once
// A recorded game played again on a Board of its own, to any move: the field
// framed, the set-up dots put, then the moves played as in the game (each
// dot, then what it takes by the game's rules, or the enclosures the game
// recorded when its captures follow them), so captures come out exactly as
// they did. The dots and captures are reported as they are played (no
// remarks, no log lines), for a window to paint them.

#include <optional>
#include <stdexcept>
#include <string>

#include "engine/board.h"
#include "match/game_record.h"
#include "match/match_observer.h"

namespace solvar::match {

// A dot that is not a free playable node when it comes; `MoveNumber` is 0
// for a set-up dot.
class ReplayError : public std::runtime_error {
 public:
  enum class Why { OffField, OnADot, InATakenRegion };
  ReplayError(int moveNumber, engine::Node node, Why why);
  int MoveNumber() const { return m_moveNumber; }
  engine::Node Node() const { return m_node; }
  Why Reason() const { return m_why; }
  bool OffField() const { return m_why == Why::OffField; }

 private:
  int m_moveNumber;
  engine::Node m_node;
  Why m_why;
};

// One recorded move on a Board: the dot and its captures, by the rules or
// along the recorded enclosures.
void PlayRecordedMove(engine::Board& board, const PlayedMove& move, engine::Rules rules, bool followPaths,
                      engine::CaptureObserver& captures);

// Plays the first `moves` moves of a record onto `board`, from an empty
// framed field, reporting every dot and capture to `observer` (if any) as
// it is played; whoever paints from `board` sees it as it was at each
// move. Raises ReplayError as GameReplay does.
void ReplayOnto(engine::Board& board, const GameRecord& record, int moves, MatchObserver* observer);

class GameReplay {
 public:
  // Plays the whole game once to check it; raises ReplayError for a dot off
  // the field or on a node that is not free.
  explicit GameReplay(GameRecord record);

  const GameRecord& Record() const { return m_record; }
  // The game's analysis, kept with its record (and saved with it).
  void KeepAnalysis(std::vector<MoveJudgement> analysis) { m_record.Analysis = std::move(analysis); }
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

// How far a record can be played: the error of the first move that cannot
// be (none when every move can).
std::optional<ReplayError> FirstUnplayableMove(const GameRecord& record);

}  // namespace solvar::match
