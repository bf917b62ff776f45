#include "match/game_replay.h"

#include <algorithm>

namespace solvar::match {

namespace {

// Passes each capture on to the observer.
class CaptureRelay : public engine::CaptureObserver {
 public:
  explicit CaptureRelay(MatchObserver* observer) : m_observer(observer) {}
  void OnCapture(const engine::Outline& outline) override {
    if (m_observer != nullptr) m_observer->OnCapture(outline);
  }

 private:
  MatchObserver* m_observer;
};

std::string ReplayErrorText(int moveNumber, engine::Node node, bool offField) {
  return "dot " + std::to_string(moveNumber) + " at " + std::to_string(node.X) + "," + std::to_string(node.Y) +
         (offField ? " is off the field" : " is on a node that is not free");
}

}  // namespace

ReplayError::ReplayError(int moveNumber, engine::Node node, bool offField)
    : std::runtime_error(ReplayErrorText(moveNumber, node, offField)),
      m_moveNumber(moveNumber),
      m_node(node),
      m_offField(offField) {}

GameReplay::GameReplay(GameRecord record) : m_record(std::move(record)) { Rebuild(MoveCount(), nullptr); }

void GameReplay::ShowPosition(int moves, MatchObserver& observer) {
  Rebuild(std::clamp(moves, 0, MoveCount()), &observer);
}

void GameReplay::Rebuild(int moves, MatchObserver* observer) {
  m_board = engine::Board{};
  if (!m_board.SetFieldSize(m_record.FieldWidth, m_record.FieldHeight)) {
    throw ReplayError(0, engine::Node{m_record.FieldWidth, m_record.FieldHeight}, true);
  }
  engine::FrameBoard(m_board);
  const auto check = [this](int number, const PlayedMove& move) {
    if (!m_board.IsPlayable(move.Dot.X, move.Dot.Y)) throw ReplayError(number, move.Dot, true);
    if (m_board.At(move.Dot) != engine::csFree) throw ReplayError(number, move.Dot, false);
  };
  for (const PlayedMove& dot : m_record.Setup) {
    check(0, dot);
    engine::PlaceDot(m_board, dot.Dot, dot.Mover);
    if (observer != nullptr) observer->OnDotPlaced(dot.Dot, dot.Mover);
  }
  CaptureRelay relay(observer);
  for (int i = 0; i < moves; ++i) {
    const PlayedMove& move = m_record.Moves[static_cast<std::size_t>(i)];
    check(i + 1, move);
    if (observer != nullptr) observer->OnDotPlaced(move.Dot, move.Mover);
    PlayOrdinaryMove(m_board, move.Mover, move.Dot, relay);
  }
  m_position = moves;
  if (observer != nullptr) observer->OnScoresChanged(engine::CountCells(m_board));
}

}  // namespace solvar::match
