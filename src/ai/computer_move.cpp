#include "ai/computer_move.h"

#include <array>

namespace solvar::ai {

namespace {

using engine::Board;
using engine::Node;
using engine::Side;

bool IsFreePlayable(const Board& board, Node node) {
  return board.IsPlayable(node.X, node.Y) && board.At(node) == engine::csFree;
}

bool HasFreePlayable(const Board& board) {
  for (int x = 1; x < board.FieldWidth(); ++x) {
    for (int y = 1; y < board.FieldHeight(); ++y) {
      if (board.At(x, y) == engine::csFree) return true;
    }
  }
  return false;
}

bool HoldsOpponentDot(const Board& board, Node node, Side mover) {
  return board.InField(node.X, node.Y) && board.At(node) == engine::DotCode(engine::Opponent(mover));
}

// Next to the player's last dot: first a free neighbour that extends a line
// of two opponent dots beyond it, else the first free neighbour. Only free
// playable nodes of the current field are considered, also when the last dot
// was played on a larger field.
std::optional<Node> NextToLastPlayerMove(const Board& board, Side mover, Node last) {
  if (last.X == 0) return std::nullopt;
  const std::array<Node, 4> around{Node{last.X - 1, last.Y}, Node{last.X, last.Y - 1},
                                   Node{last.X, last.Y + 1}, Node{last.X + 1, last.Y}};
  for (const Node m : around) {
    const Node opposite{2 * last.X - m.X, 2 * last.Y - m.Y};
    if (IsFreePlayable(board, m) && HoldsOpponentDot(board, opposite, mover)) return m;
  }
  for (const Node m : around) {
    if (IsFreePlayable(board, m)) return m;
  }
  return std::nullopt;
}

// Draws x in 0..W-1 and y in 0..H-1 until the node is a free playable one.
Node RandomFreeNode(const Board& board, engine::Random& random) {
  random.Reseed();
  for (;;) {
    const Node node{random.NextBelow(board.FieldWidth()), random.NextBelow(board.FieldHeight())};
    if (IsFreePlayable(board, node)) return node;
  }
}

Node Fallback(const Board& board, Side mover, const ChoiceContext& context) {
  if (const auto near = NextToLastPlayerMove(board, mover, context.LastPlayerMove)) return *near;
  return RandomFreeNode(board, context.RandomSource);
}

Node ThreatNode(const ThreatResult& result) { return Node{result.X, result.Y}; }

}  // namespace

std::optional<Node> ChooseComputerNode(const Board& board, Side mover, const ChoiceContext& context) {
  if (!HasFreePlayable(board)) return std::nullopt;
  const engine::BoardMasks masks = engine::SplitBoard(board);
  const ThreatResult attack = EvaluateThreat(board, masks, mover, context.Workspace, context.Observer);
  const ThreatResult defence =
      EvaluateThreat(board, masks, engine::Opponent(mover), context.Workspace, context.Observer);
  const int attackLevel = attack.Level > MaxAttackLevel ? NoLevel : attack.Level;

  std::optional<Node> chosen;
  if (defence.Level == 1 && attackLevel > 1) chosen = ThreatNode(defence);
  else if (defence.Level == 2 && attackLevel > 2) chosen = ThreatNode(defence);
  else if (attackLevel != NoLevel) chosen = ThreatNode(attack);

  if (chosen && IsFreePlayable(board, *chosen)) return chosen;
  return Fallback(board, mover, context);
}

}  // namespace solvar::ai
