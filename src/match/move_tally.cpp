#include "match/move_tally.h"

#include <algorithm>

#include "match/game_replay.h"

namespace solvar::match {

namespace {

class NoCaptures : public engine::CaptureObserver {
 public:
  void OnCapture(const engine::Outline&) override {}
};

int ScoreOf(const engine::CellCounts& counts, engine::Side side) {
  return side == engine::Side::Own ? counts.OwnScore : counts.RivalScore;
}

}  // namespace

bool MoveTally::Continues(const GameRecord& record) const {
  return record.FieldWidth == m_counted.FieldWidth && record.FieldHeight == m_counted.FieldHeight &&
         record.Rules == m_counted.Rules && record.CapturesFollowPaths == m_counted.CapturesFollowPaths &&
         record.Setup == m_counted.Setup && record.Moves.size() >= m_counted.Moves.size() &&
         std::equal(m_counted.Moves.begin(), m_counted.Moves.end(), record.Moves.begin());
}

void MoveTally::Restart(const GameRecord& record) {
  m_counted = GameRecord{};
  m_counted.FieldWidth = record.FieldWidth;
  m_counted.FieldHeight = record.FieldHeight;
  m_counted.Rules = record.Rules;
  m_counted.CapturesFollowPaths = record.CapturesFollowPaths;
  m_counted.Setup = record.Setup;
  m_captures.clear();
  ReplayOnto(m_board, m_counted, 0, nullptr);
}

void MoveTally::Follow(const GameRecord& record) {
  if (!Continues(record)) Restart(record);
  NoCaptures none;
  for (std::size_t i = m_counted.Moves.size(); i < record.Moves.size(); ++i) {
    const PlayedMove& move = record.Moves[i];
    const engine::CellCounts before = engine::CountCells(m_board);
    PlayRecordedMove(m_board, move, record.Rules, record.CapturesFollowPaths, none);
    const engine::CellCounts after = engine::CountCells(m_board);
    const engine::Side other = engine::Opponent(move.Mover);
    m_captures.push_back(MoveCaptures{ScoreOf(after, move.Mover) - ScoreOf(before, move.Mover),
                                      ScoreOf(after, other) - ScoreOf(before, other)});
    m_counted.Moves.push_back(move);
  }
}

}  // namespace solvar::match
