#pragma once
// The computer's move: weigh the mover's best chance to enclose against the
// opponent's, pick a node, play it and settle the captures.
//
//   defence level 1 and attack level above 1   -> block the opponent
//   defence level 2 and attack level above 2   -> block the opponent
//   no attack at level 10 or below             -> next to the player's last dot,
//                                                 else a random free node
//   otherwise                                  -> close or tighten the attack

#include <optional>
#include <string>

#include "ai/threat.h"
#include "engine/board.h"
#include "engine/capture_scan.h"
#include "engine/random.h"

namespace solvar::ai {

inline constexpr int MaxAttackLevel = 10;

// What a computer move does besides the Board: the dot, the last-move marker,
// the captures and the log line, and the diagnostic candidate dump.
class MoveObserver : public engine::CaptureObserver, public ThreatObserver {
 public:
  virtual void OnDotPlaced(engine::Node node, engine::Side side) { (void)node, (void)side; }
  virtual void OnMarkerMoved(engine::Node node) { (void)node; }
};

struct MoveContext {
  MoveObserver& observer;
  engine::Random& random;
  // The local player's most recent dot; x = 0 before the first one.
  engine::Node lastPlayerMove{};
  bool networkGame = false;
};

// The node the computer would play for the mover, without playing it; none
// when the field has no free playable node left.
std::optional<engine::Node> ChooseComputerNode(const engine::Board& board, engine::Side mover,
                                               const MoveContext& context);

// Plays the computer's move for the mover: the dot, the marker, the capture
// scans for the mover and then for the opponent, and the log line. Returns
// the node played, or none (and changes nothing) when no free playable node
// is left.
std::optional<engine::Node> ComputerMove(engine::Board& board, engine::Side mover,
                                         const MoveContext& context);

std::string ComputerMoveLogLine(engine::Node node);

}  // namespace solvar::ai
