#include "engine/capture_scan.h"

#include <array>
#include <cstdint>

#include "engine/bit_masks.h"
#include "engine/outline.h"
#include "engine/work_map.h"

namespace solvar::engine {

namespace {

// The capture scan. A region is a set of cells outside the capturing side's
// territory joined through orthogonal neighbours; it is enclosed when none of
// its cells is next to the frame. One pass from the frame finds every region
// that reaches it; each enclosed region is then filled depth-first from its
// first cell in scan order (columns outer, rows inner), visiting neighbours
// left, up, down, right, which fixes the order of its boundary list and so
// the outline painted around it.
class CaptureScanner {
 public:
  CaptureScanner(Board& board, Side side, CaptureObserver* observer)
      : m_board(board), m_side(side), m_observer(observer) {}

  int Run() {
    const BoardMasks masks = SplitBoard(m_board);
    m_capturer = masks.Territory(m_side);
    for (std::size_t x = 0; x < m_open.size(); ++x) m_open[x] = ~m_capturer[x] & ~masks.Border[x];
    const ColumnMasks reachesFrame = Flood(Touching(m_open, masks.Border), m_open);
    const ColumnMasks enclosed = AndNot(m_open, reachesFrame);
    if (IsEmpty(enclosed)) return 0;

    m_visited.fill(0);
    m_boundaryRegion.fill(0);
    int captured = 0;
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        if (!Has(enclosed, x, y) || m_visited[MapIndex(x, y)]) continue;
        FillEnclosure(x, y, ++captured);
        Capture();
      }
    }
    return captured;
  }

 private:
  struct Frame {
    int Cell;
    int Next;  // index of the next neighbour to visit
  };

  void Visit(int cell) {
    const int x = MapX(cell);
    const int y = MapY(cell);
    if (HoldsDot(m_board.At(x, y))) ++m_dotsInside;
    m_visited[cell] = 1;
    m_region.push_back(CellLink{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0});
  }

  // A capturer cell next to the region: listed once, and counted again each
  // further time the fill meets it.
  void MeetBoundary(int cell, int region) {
    if (m_boundaryRegion[cell] == region) {
      ++m_boundary[m_boundaryIndex[cell]].Hits;
      return;
    }
    m_boundaryRegion[cell] = region;
    m_boundaryIndex[cell] = static_cast<int>(m_boundary.size());
    m_boundary.push_back(CellLink{static_cast<std::uint8_t>(MapX(cell)),
                                  static_cast<std::uint8_t>(MapY(cell)), 0});
  }

  // Depth-first fill of an enclosed region, entering an open neighbour at
  // once, before the remaining neighbours are looked at.
  void FillEnclosure(int x, int y, int region) {
    m_region.clear();
    m_boundary.clear();
    m_dotsInside = 0;
    const int start = MapIndex(x, y);
    int top = 0;
    Visit(start);
    m_frames[top++] = Frame{start, 0};
    while (top > 0) {
      Frame& frame = m_frames[top - 1];
      if (frame.Next == 4) {
        --top;
        continue;
      }
      const int cell = frame.Cell + NeighbourOffsets[frame.Next++];
      if (HasCell(m_capturer, cell)) {
        MeetBoundary(cell, region);
      } else if (HasCell(m_open, cell) && !m_visited[cell]) {
        Visit(cell);
        m_frames[top++] = Frame{cell, 0};
      }
    }
  }

  void Capture() {
    ApplyCapture(m_board, m_region, m_side);
    if (m_observer != nullptr) m_observer->OnCapture(Outline{m_side, m_dotsInside, BuildOutline(m_boundary)});
  }

  Board& m_board;
  Side m_side;
  CaptureObserver* m_observer;
  ColumnMasks m_capturer{};
  ColumnMasks m_open{};
  int m_dotsInside = 0;
  CellList m_region;
  CellList m_boundary;
  // Scratch space for the fills, set up only when some region is enclosed.
  std::array<std::uint8_t, MapSize> m_visited;
  std::array<int, MapSize> m_boundaryRegion;
  std::array<int, MapSize> m_boundaryIndex;
  std::array<Frame, MapSize> m_frames;
};

CellState CapturedCode(CellState code, Side side) {
  if (side == Side::Own) {
    switch (code) {
      case csFree: return csOwnArea;
      case csRival: return csRivalCaptured;
      case csOwnCaptured: return csOwn;
      case csRivalArea: return csOwnArea;
      default: return code;
    }
  }
  switch (code) {
    case csFree: return csRivalArea;
    case csOwn: return csOwnCaptured;
    case csRivalCaptured: return csRival;
    case csOwnArea: return csRivalArea;
    default: return code;
  }
}

}  // namespace

void ApplyCapture(Board& board, const CellList& region, Side side) {
  for (auto it = region.rbegin(); it != region.rend(); ++it) {
    board.Set(it->X, it->Y, CapturedCode(board.At(it->X, it->Y), side));
  }
}

int ScanCaptures(Board& board, Side side, CaptureObserver& observer) {
  CaptureScanner scanner(board, side, &observer);
  return scanner.Run();
}

int ScanCaptures(Board& board, Side side) {
  CaptureScanner scanner(board, side, nullptr);
  return scanner.Run();
}

}  // namespace solvar::engine
