#include "engine/capture_scan.h"

#include <array>
#include <cstdint>
#include <string>

#include "engine/capture_remarks.h"
#include "engine/outline.h"
#include "engine/work_map.h"

namespace solvar::engine {

namespace {

// Codes of the capture scan's working copy. Every fill of a scan writes its
// own mark, 4 and up; marks are wide enough never to repeat within a scan,
// so a fill can never take an earlier fill's cells for its own.
using MapCode = std::uint16_t;
constexpr MapCode cmCapturer = 1;
constexpr MapCode cmOpen = 2;
constexpr MapCode cmBorder = 3;
constexpr MapCode FirstRegionMark = 4;

MapCode CaptureMapCode(CellState code, Side side) {
  if (code == csBorder) return cmBorder;
  return IsTerritoryOf(code, side) ? cmCapturer : cmOpen;
}

class CaptureScanner {
 public:
  CaptureScanner(Board& board, Side side, const ScanContext& context)
      : m_board(board), m_side(side), m_context(context) {
    BuildMap();
  }

  int Run() {
    int captured = 0;
    m_mark = FirstRegionMark - 1;
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        if (m_map[MapIndex(x, y)] != cmOpen) continue;
        StartRegion();
        if (FillEnclosure(MapIndex(x, y))) {
          Capture();
          ++captured;
        }
      }
    }
    return captured;
  }

 private:
  struct Frame {
    int cell;
    int next;  // index of the next neighbour to visit
  };

  void BuildMap() {
    m_map.fill(cmBorder);
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        m_map[MapIndex(x, y)] = CaptureMapCode(m_board.At(x, y), m_side);
      }
    }
    m_boundaryMark.fill(0);
  }

  void StartRegion() {
    m_region.clear();
    m_boundary.clear();
    m_dotsInside = 0;
    ++m_mark;
  }

  void Visit(int cell) {
    const int x = MapX(cell);
    const int y = MapY(cell);
    if (HoldsDot(m_board.At(x, y))) ++m_dotsInside;
    m_map[cell] = m_mark;
    m_region.push_back(CellLink{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0});
  }

  // A capturer cell next to the region: listed once, and counted again each
  // further time the fill meets it.
  void MeetBoundary(int cell) {
    if (m_boundaryMark[cell] == m_mark) {
      ++m_boundary[m_boundaryIndex[cell]].Hits;
      return;
    }
    m_boundaryMark[cell] = m_mark;
    m_boundaryIndex[cell] = static_cast<int>(m_boundary.size());
    m_boundary.push_back(CellLink{static_cast<std::uint8_t>(MapX(cell)),
                                  static_cast<std::uint8_t>(MapY(cell)), 0});
  }

  // Depth-first fill of the region holding the open cell, visiting the
  // neighbours left, up, down, right and entering an open neighbour at once.
  // Yields false as soon as it meets the frame or a cell of an earlier fill.
  bool FillEnclosure(int start) {
    m_stack.clear();
    Visit(start);
    m_stack.push_back(Frame{start, 0});
    while (!m_stack.empty()) {
      Frame& frame = m_stack.back();
      if (frame.next == 4) {
        m_stack.pop_back();
        continue;
      }
      const int neighbour = frame.cell + NeighbourOffsets[frame.next++];
      const MapCode code = m_map[neighbour];
      if (code == cmCapturer) {
        MeetBoundary(neighbour);
      } else if (code == cmOpen) {
        Visit(neighbour);
        m_stack.push_back(Frame{neighbour, 0});
      } else if (code != m_mark) {
        return false;  // the frame, or a region already known to be open
      }
    }
    return true;
  }

  void Capture() {
    ApplyCapture(m_board, m_region, m_side);
    m_context.observer.OnOutline(Outline{m_side, m_dotsInside, BuildOutline(m_boundary)});
    m_context.observer.OnRepaintDots();
    if (m_dotsInside > 0 && !m_context.networkGame) {
      std::string line(RemarkPrefix);
      line += PickCaptureRemark(m_side, m_context.random);
      m_context.observer.OnLogLine(line);
    }
  }

  Board& m_board;
  Side m_side;
  const ScanContext& m_context;
  std::array<MapCode, MapSize> m_map{};
  std::array<MapCode, MapSize> m_boundaryMark{};
  std::array<int, MapSize> m_boundaryIndex{};
  MapCode m_mark = 0;
  int m_dotsInside = 0;
  CellList m_region;
  CellList m_boundary;
  std::vector<Frame> m_stack;
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

int ScanCaptures(Board& board, Side side, const ScanContext& context) {
  CaptureScanner scanner(board, side, context);
  return scanner.Run();
}

}  // namespace solvar::engine
