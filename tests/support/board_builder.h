#pragma once
// Helpers for building positions in tests.

#include <initializer_list>
#include <vector>

#include "engine/board.h"
#include "engine/capture_scan.h"

namespace solvar::test {

inline engine::Board FramedBoard(int width = 31, int height = 31) {
  engine::Board board;
  board.SetFieldSize(width, height);
  engine::FrameBoard(board);
  return board;
}

inline void Put(engine::Board& board, engine::CellState code,
                std::initializer_list<engine::Node> nodes) {
  for (const auto node : nodes) board.Set(node, code);
}

// Records every capture a scan reports.
class RecordingObserver : public engine::CaptureObserver {
 public:
  void OnCapture(const engine::Outline& outline) override { outlines.push_back(outline); }
  std::vector<engine::Outline> outlines;
};

}  // namespace solvar::test
