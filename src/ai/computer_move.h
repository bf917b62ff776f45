#pragma once
// The standard computer's choice of move: weigh the mover's best chance to
// enclose against the opponent's and pick a node.
//
//   defence level 1 and attack level above 1   -> block the opponent
//   defence level 2 and attack level above 2   -> block the opponent
//   no attack at level 10 or below             -> next to the player's last dot,
//                                                 else a random free node
//   otherwise                                  -> close or tighten the attack
//
// Playing the node and settling its captures is the game's business.

#include <optional>

#include "ai/threat.h"
#include "engine/board.h"
#include "engine/random.h"

namespace solvar::ai {

inline constexpr int MaxAttackLevel = 10;

struct ChoiceContext {
  engine::Random& RandomSource;
  // The local player's most recent dot; x = 0 before the first one.
  engine::Node LastPlayerMove{};
  ThreatWorkspace& Workspace;
  // Receives the candidate dump of the evaluations; none for no dump.
  ThreatObserver* Observer = nullptr;
};

// The node the computer plays for the mover: always a free playable node of
// the current field; none when no such node is left.
std::optional<engine::Node> ChooseComputerNode(const engine::Board& board, engine::Side mover,
                                               const ChoiceContext& context);

}  // namespace solvar::ai
