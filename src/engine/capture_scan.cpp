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
// Which enclosed regions a scan takes: all of them (classic), or only those
// holding a live dot of the other side, and among them only those that hold
// one of a few given cells (the sport rules' captures of one move).
struct RegionTest {
  bool NeedsLiveDot = false;
  std::array<int, 4> Cells{};  // map indices; the region must hold one of them
  int CellCount = 0;
};

class CaptureScanner {
 public:
  CaptureScanner(Board& board, Side side, CaptureObserver* observer, RegionTest test = {})
      : m_board(board), m_side(side), m_observer(observer), m_test(test) {}

  int Run() {
    const BoardMasks masks = SplitBoard(m_board);
    m_capturer = masks.Territory(m_side);
    for (std::size_t x = 0; x < m_open.size(); ++x) m_open[x] = ~m_capturer[x] & ~masks.Border[x];
    const ColumnMasks reachesFrame = Flood(Touching(m_open, masks.Border), m_open);
    const ColumnMasks enclosed = AndNot(m_open, reachesFrame);
    if (IsEmpty(enclosed)) return 0;

    m_visited.fill(0);
    m_boundaryRegion.fill(0);
    int region = 0;
    int captured = 0;
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        if (!Has(enclosed, x, y) || m_visited[MapIndex(x, y)]) continue;
        FillEnclosure(x, y, ++region);
        if (!Qualifies()) continue;
        Capture();
        ++captured;
      }
    }
    return captured;
  }

 private:
  struct Frame {
    int Cell;
    int Next;  // index of the next neighbour to visit
  };

  bool Qualifies() const {
    if (m_test.NeedsLiveDot && m_liveDots == 0) return false;
    return m_test.CellCount == 0 || m_holdsTestCell;
  }

  void Visit(int cell) {
    const int x = MapX(cell);
    const int y = MapY(cell);
    const CellState code = m_board.At(x, y);
    if (HoldsDot(code)) ++m_dotsInside;
    if (code == DotCode(Opponent(m_side))) ++m_liveDots;
    for (int i = 0; i < m_test.CellCount; ++i) {
      if (m_test.Cells[static_cast<std::size_t>(i)] == cell) m_holdsTestCell = true;
    }
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
    m_liveDots = 0;
    m_holdsTestCell = false;
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
    if (m_observer != nullptr) m_observer->OnCapture(Outline{m_side, m_dotsInside, CaptureOutline(m_boundary, m_region)});
  }

  Board& m_board;
  Side m_side;
  CaptureObserver* m_observer;
  RegionTest m_test;
  ColumnMasks m_capturer{};
  ColumnMasks m_open{};
  int m_dotsInside = 0;
  int m_liveDots = 0;  // live dots of the other side in the region
  bool m_holdsTestCell = false;
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

int ScanCaptures(Board& board, Side side, CaptureObserver* observer, Rules rules) {
  RegionTest test;
  test.NeedsLiveDot = rules == Rules::Sport;
  CaptureScanner scanner(board, side, observer, test);
  return scanner.Run();
}

namespace {

// The sport rules' captures of one dot: the regions next to it (they can
// only have been closed by it), then, if none was taken, the other side's
// region that holds the dot itself.
int SportCaptureAfterMove(Board& board, Side mover, Node dot, CaptureObserver* observer) {
  RegionTest closed;
  closed.NeedsLiveDot = true;
  for (const int offset : NeighbourOffsets) closed.Cells[static_cast<std::size_t>(closed.CellCount++)] = MapIndex(dot.X, dot.Y) + offset;
  const int taken = CaptureScanner(board, mover, observer, closed).Run();
  if (taken > 0) return taken;
  RegionTest playedInto;
  playedInto.NeedsLiveDot = true;
  playedInto.Cells[0] = MapIndex(dot.X, dot.Y);
  playedInto.CellCount = 1;
  return CaptureScanner(board, Opponent(mover), observer, playedInto).Run();
}

}  // namespace

int CaptureAfterMove(Board& board, Side mover, Node dot, CaptureObserver* observer, Rules rules) {
  if (rules == Rules::Sport) return SportCaptureAfterMove(board, mover, dot, observer);
  CaptureScanner moverScan(board, mover, observer);
  const int taken = moverScan.Run();
  CaptureScanner otherScan(board, Opponent(mover), observer);
  return taken + otherScan.Run();
}

}  // namespace solvar::engine
