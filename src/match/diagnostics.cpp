#include "match/diagnostics.h"

#include <initializer_list>

namespace solvar::match {

namespace {

using engine::Node;
using engine::Side;

void PutDots(Match& match, engine::CellState code, std::initializer_list<Node> nodes) {
  for (const Node node : nodes) match.SetUpCell(node, code);
}

}  // namespace

void PlaySurroundCheck(Match& match) {
  PutDots(match, engine::csOwn, {{1, 4}, {1, 5}, {2, 2}, {2, 3}, {6, 4}, {7, 4}, {8, 2}, {8, 3}, {9, 4}, {10, 4}});
  match.ComputerMove(Side::Rival);
  match.Scan(Side::Rival);
  match.Scan(Side::Own);
}

void PlayCaptureCheck(Match& match) {
  PutDots(match, engine::csOwn, {{1, 2}, {2, 1}, {3, 2}, {5, 1}, {4, 2}, {4, 3}, {6, 2}, {6, 3}});
  PutDots(match, engine::csRival, {{2, 2}, {5, 2}, {5, 3}});
  match.ComputerMove(Side::Own);
  match.Scan(Side::Own);
}

void PrepareSelfPlay(Match& match) {
  match.Frame();
  match.Scan(Side::Own);
}

}  // namespace solvar::match
