#include "engine/board.h"

namespace solvar::engine {

bool Board::SetFieldSize(int width, int height) {
  if (width < 0 || width >= BoardColumns || height < 0 || height >= BoardRows) return false;
  m_fieldWidth = width;
  m_fieldHeight = height;
  return true;
}

void FrameBoard(Board& board) {
  const int w = board.FieldWidth();
  const int h = board.FieldHeight();
  for (int x = 0; x <= w; ++x) {
    board.Set(x, 0, csBorder);
    board.Set(x, h, csBorder);
  }
  for (int y = 0; y <= h; ++y) {
    board.Set(0, y, csBorder);
    board.Set(w, y, csBorder);
  }
  for (int x = 1; x < w; ++x) {
    for (int y = 1; y < h; ++y) {
      if (board.At(x, y) == csBorder) board.Set(x, y, csFree);
    }
  }
}

void ClearBoard(Board& board) {
  for (int x = 1; x <= board.FieldWidth(); ++x) {
    for (int y = 1; y <= board.FieldHeight(); ++y) {
      if (board.At(x, y) != csBorder) board.Set(x, y, csFree);
    }
  }
}

void PlaceDot(Board& board, Node node, Side side) { board.Set(node, DotCode(side)); }

CellCounts CountCells(const Board& board) {
  CellCounts counts;
  for (int x = 1; x <= board.FieldWidth(); ++x) {
    for (int y = 1; y <= board.FieldHeight(); ++y) {
      switch (board.At(x, y)) {
        case csFree: ++counts.FreeCount; break;
        case csRivalCaptured: ++counts.OwnScore; break;
        case csOwnCaptured: ++counts.RivalScore; break;
        default: break;
      }
    }
  }
  return counts;
}

}  // namespace solvar::engine
