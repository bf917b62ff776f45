#pragma once
// Word-for-word readings of the capture scan and the threat evaluation:
// recursive fills over a byte map, linked lists searched from the head, every
// pair of candidates compared when merging. Slow and plain, they are the
// oracle the fast versions are checked against. Marks are wide, as in the
// program.

#include <vector>

#include "ai/threat.h"
#include "engine/board.h"
#include "engine/capture_scan.h"

namespace solvar::test {

struct LiteralCapture {
  int DotsInside;
  std::vector<engine::Node> Vertices;
};

// Captures on the board and returns what each capture painted, in order.
std::vector<LiteralCapture> LiteralScanCaptures(engine::Board& board, engine::Side side);

// The evaluation as read literally, with the head record's node whenever no
// candidate qualifies (the program then gives a free node instead, or none).
ai::ThreatResult LiteralEvaluateThreat(const engine::Board& board, engine::Side encloser,
                                       bool* anyQualified = nullptr);

}  // namespace solvar::test
