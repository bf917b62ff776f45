// Taking moves back: the position is played again from the start of the
// game to the dots that stand, so that the Board, the counts, the captures
// and the record are exactly what they were, and the window paints it again
// as it was played.

#include "match/game_replay.h"
#include "match/match.h"
#include "match/match_step.h"

namespace solvar::match {

using engine::Side;

bool Match::CanTakeBack() const {
  if (!m_inProgress || m_network || IsTimed()) return false;
  if (m_twoPlayers) return !m_moves.empty();
  for (const PlayedMove& move : m_moves) {
    if (move.Mover == Side::Own) return true;
  }
  return false;
}

void Match::TakeBack() {
  const Step step(*this);
  if (!CanTakeBack()) return;
  if (m_turn == Turn::Opponent) {
    m_opponent->StopThinking();
    ReportThinking(false, 0);
  }
  std::size_t keep = m_moves.size() - 1;
  if (!m_twoPlayers) {
    while (m_moves[keep].Mover != Side::Own) --keep;
  }
  const Side toMove = m_moves[keep].Mover;
  m_tookBack = true;
  RebuildPosition(keep);
  Log("Ход взят назад");
  GiveTurn(toMove);
}

void Match::TakeBackDots(std::size_t count) {
  const Step step(*this);
  RebuildPosition(m_moves.size() - std::min(count, m_moves.size()));
}

void Match::RebuildPosition(std::size_t moves) {
  m_moves.resize(moves);
  m_observer.OnPositionCleared();
  // Played again on the match's own Board, so that a window repainting the
  // dots over each capture paints them as they stood at that move.
  ReplayOnto(m_board, Record(), static_cast<int>(moves), &m_observer);
  m_counts = engine::CountCells(m_board);
  m_lastPlayerMove = m_lastPlayerMoveAtStart;
  for (auto move = m_moves.rbegin(); move != m_moves.rend(); ++move) {
    if (move->Mover == Side::Own) {
      m_lastPlayerMove = move->Dot;
      break;
    }
  }
  // The marker stands on the last dot it marked in play: the other side's,
  // or in a game of two players the last dot.
  for (auto move = m_moves.rbegin(); move != m_moves.rend(); ++move) {
    if (m_twoPlayers || move->Mover == Side::Rival) {
      m_observer.OnMarkerMoved(move->Dot);
      break;
    }
  }
}

}  // namespace solvar::match
