#pragma once
// Tactical positions whose answers are known by how they are built: a ring
// with one gap round many dots (close it, or block it), two rings with a gap
// each (take or block the larger), a capture offered while a larger one is
// threatened (block), and under the sport rules free nodes inside the other
// side's rings (keep out of them). Each is a list of dots played on an empty
// field, in the engines' common protocol's coordinates (x, y from 0; colour
// 0 the first side), and the side to move.

#include <string>
#include <vector>

#include "engine/board.h"

namespace solvar::tools {

struct PointsDot {
  int X = 0;
  int Y = 0;
  int Colour = 0;
};

struct PointsNode {
  int X = 0;
  int Y = 0;
  friend bool operator==(PointsNode, PointsNode) = default;
};

// What the move must do. Judged by what it does on the field, not by a list
// of nodes: a ring of dots can often be closed at more than one node.
enum class Goal {
  Take,     // take at least Dots of the other side's dots
  Block,    // leave the other side no capture of Dots or more in one move
  KeepDot,  // play a dot that is not taken at once
};

struct TacticalPosition {
  std::string Name;
  int Width = 20;  // nodes
  int Height = 20;
  engine::Rules Rules = engine::Rules::Classic;
  std::vector<PointsDot> Setup;  // played in this order
  int ToMove = 0;
  Goal Aim = Goal::Take;
  int Dots = 0;
  // A node that does it (one of them).
  PointsNode Answer;

  bool Solved(PointsNode move) const;
};

std::vector<TacticalPosition> TacticalSuite();

// The position on a Board of our own (with the frame), each dot played by
// the rules as the protocol's "play" plays it.
engine::Board BoardOf(const TacticalPosition& position);

}  // namespace solvar::tools
