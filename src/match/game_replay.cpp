#include "match/game_replay.h"

#include <algorithm>

#include "engine/outline.h"

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

std::string ReplayErrorText(int moveNumber, engine::Node node, ReplayError::Why why) {
  const char* what = why == ReplayError::Why::OffField ? " is off the field"
                     : why == ReplayError::Why::OnADot ? " is on a node that holds a dot"
                                                       : " is in a taken region";
  return "dot " + std::to_string(moveNumber) + " at " + std::to_string(node.X) + "," + std::to_string(node.Y) + what;
}

// The side whose ring it is: the owner of its first dot (the mover's, or the
// other side's when the move was played into its ring).
engine::Side RingOwner(const engine::Board& board, const Ring& ring, engine::Side mover) {
  return engine::IsTerritoryOf(board.At(ring.front()), engine::Opponent(mover)) ? engine::Opponent(mover) : mover;
}

// A recorded enclosure: the region inside the ring is taken by the ring's
// side, whatever it holds.
void TakeInsideRing(engine::Board& board, const Ring& ring, engine::Side mover, engine::CaptureObserver& captures) {
  if (ring.size() < 3) return;
  const engine::CellList region = engine::CellsInsideRing(ring, board);
  if (region.empty()) return;
  const engine::Side owner = RingOwner(board, ring, mover);
  int dots = 0;
  for (const engine::CellLink& cell : region) dots += engine::HoldsDot(board.At(cell.X, cell.Y)) ? 1 : 0;
  engine::ApplyCapture(board, region, owner);
  captures.OnCapture(engine::Outline{owner, dots, ring});
}

}  // namespace

ReplayError::ReplayError(int moveNumber, engine::Node node, Why why)
    : std::runtime_error(ReplayErrorText(moveNumber, node, why)), m_moveNumber(moveNumber), m_node(node), m_why(why) {}

void PlayRecordedMove(engine::Board& board, const PlayedMove& move, engine::Rules rules, bool followPaths,
                      engine::CaptureObserver& captures) {
  if (!followPaths) return PlayOrdinaryMove(board, move.Mover, move.Dot, captures, rules);
  engine::PlaceDot(board, move.Dot, move.Mover);
  for (const Ring& ring : move.Paths) TakeInsideRing(board, ring, move.Mover, captures);
}

GameReplay::GameReplay(GameRecord record) : m_record(std::move(record)) { Rebuild(MoveCount(), nullptr); }

void GameReplay::ShowPosition(int moves, MatchObserver& observer) {
  Rebuild(std::clamp(moves, 0, MoveCount()), &observer);
}

void GameReplay::Rebuild(int moves, MatchObserver* observer) {
  ReplayOnto(m_board, m_record, moves, observer);
  m_position = moves;
}

void ReplayOnto(engine::Board& board, const GameRecord& record, int moves, MatchObserver* observer) {
  board = engine::Board{};
  if (!board.SetFieldSize(record.FieldWidth, record.FieldHeight)) {
    throw ReplayError(0, engine::Node{record.FieldWidth, record.FieldHeight}, ReplayError::Why::OffField);
  }
  engine::FrameBoard(board);
  const auto check = [&board](int number, const PlayedMove& move) {
    if (!board.IsPlayable(move.Dot.X, move.Dot.Y)) throw ReplayError(number, move.Dot, ReplayError::Why::OffField);
    const engine::CellState cell = board.At(move.Dot);
    if (cell == engine::csFree) return;
    throw ReplayError(number, move.Dot, engine::HoldsDot(cell) ? ReplayError::Why::OnADot : ReplayError::Why::InATakenRegion);
  };
  for (const PlayedMove& dot : record.Setup) {
    check(0, dot);
    engine::PlaceDot(board, dot.Dot, dot.Mover);
    if (observer != nullptr) observer->OnDotPlaced(dot.Dot, dot.Mover);
  }
  CaptureRelay relay(observer);
  for (int i = 0; i < moves; ++i) {
    const PlayedMove& move = record.Moves[static_cast<std::size_t>(i)];
    check(i + 1, move);
    if (observer != nullptr) observer->OnDotPlaced(move.Dot, move.Mover);
    PlayRecordedMove(board, move, record.Rules, record.CapturesFollowPaths, relay);
  }
  if (observer != nullptr) observer->OnScoresChanged(engine::CountCells(board));
}

std::optional<ReplayError> FirstUnplayableMove(const GameRecord& record) {
  try {
    GameReplay replay(record);
  } catch (const ReplayError& error) {
    return error;
  }
  return std::nullopt;
}

}  // namespace solvar::match
