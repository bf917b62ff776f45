#include "ai/threat.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/work_map.h"

namespace solvar::ai {

namespace {

using engine::Board;
using engine::MapIndex;
using engine::MapSize;
using engine::MapX;
using engine::MapY;
using engine::NeighbourOffsets;
using engine::Side;

// Codes of the evaluation's private copy of the Board.
enum ThreatCode : std::uint8_t { tmFree = 0, tmEncloser = 1, tmTarget = 2, tmBorder = 3 };

// How far a fill has got with a target cell.
enum FillState : std::uint8_t { Unvisited = 0, ReachesFrame = 1, Filled = 2 };

constexpr int MaxLevel = NoLevel - 1;
constexpr int DumpX = 10;
constexpr int DumpY = 10;

struct Candidate {
  std::uint8_t X;
  std::uint8_t Y;
  std::int8_t Weight;
  int Level;
};

// A node lies next to at most four groups, so it has at most four copies in
// the merged list.
using CopyIndex = std::array<int, 4>;

ThreatCode CodeFor(engine::CellState code, Side encloser) {
  if (code == engine::csFree) return tmFree;
  if (code == engine::csBorder) return tmBorder;
  return engine::IsTerritoryOf(code, encloser) ? tmEncloser : tmTarget;
}

class ThreatEvaluator {
 public:
  ThreatEvaluator(const Board& board, Side encloser, ThreatObserver* observer)
      : m_board(board), m_encloser(encloser), m_observer(observer) {}

  ThreatResult Run() {
    BuildMap();
    MarkGroupsThatReachTheFrame();
    int bestLevel = NoLevel;
    bool found = false;
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        const int cell = MapIndex(x, y);
        if (m_map[cell] != tmTarget || m_state[cell] != Unvisited) continue;
        const int level = std::min(FillRegion(cell), MaxLevel);
        DumpCandidates();
        MergeCandidates();
        SetCandidateLevel(level);
        CopyCandidates();
        bestLevel = std::min(bestLevel, level);
        found = true;
      }
    }
    if (!found) return ThreatResult{};
    return PickCandidate(bestLevel);
  }

 private:
  struct Frame {
    int cell;
    int next;
  };

  void BuildMap() {
    m_map.fill(tmBorder);
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        m_map[MapIndex(x, y)] = CodeFor(m_board.At(x, y), m_encloser);
      }
    }
    m_state.fill(Unvisited);
    m_listedBy.fill(0);
    m_copyCount.fill(0);
  }

  bool TouchesFrame(int cell) const {
    for (const int offset : NeighbourOffsets) {
      if (m_map[cell + offset] == tmBorder) return true;
    }
    return false;
  }

  // One pass from the frame: every target group with a cell next to the frame
  // can never be enclosed, whichever of its cells a fill would start from.
  void MarkGroupsThatReachTheFrame() {
    int top = 0;
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        const int cell = MapIndex(x, y);
        if (m_map[cell] == tmTarget && TouchesFrame(cell)) {
          m_state[cell] = ReachesFrame;
          m_cells[top++] = cell;
        }
      }
    }
    while (top > 0) {
      const int cell = m_cells[--top];
      for (const int offset : NeighbourOffsets) {
        const int next = cell + offset;
        if (m_map[next] == tmTarget && m_state[next] == Unvisited) {
          m_state[next] = ReachesFrame;
          m_cells[top++] = next;
        }
      }
    }
  }

  // Crowding of a free node over its 3 x 3 block: orthogonal target cells
  // count +1, orthogonal encloser or frame cells -1, any occupied diagonal -1.
  int CrowdingScore(int cell) const {
    int score = 0;
    for (const int offset : NeighbourOffsets) {
      const std::uint8_t code = m_map[cell + offset];
      if (code == tmTarget) ++score;
      else if (code != tmFree) --score;
    }
    for (const int dx : {-engine::MapRows, engine::MapRows}) {
      for (const int dy : {-1, 1}) {
        if (m_map[cell + dx + dy] != tmFree) --score;
      }
    }
    return score;
  }

  void PushCandidate(int cell, std::int8_t weight) {
    m_region.push_back(Candidate{static_cast<std::uint8_t>(MapX(cell)),
                                 static_cast<std::uint8_t>(MapY(cell)), weight, 0});
  }

  // Depth-first fill of an enclosable group, visiting the neighbours left,
  // up, down, right and entering a target neighbour at once. Lists each free
  // node and encloser cell next to the group when first met; returns the
  // number of distinct free nodes.
  int FillRegion(int start) {
    m_region.clear();
    ++m_group;
    int freeCount = 0;
    int top = 0;
    m_state[start] = Filled;
    m_frames[top++] = Frame{start, 0};
    while (top > 0) {
      Frame& frame = m_frames[top - 1];
      if (frame.next == 4) {
        --top;
        continue;
      }
      const int next = frame.cell + NeighbourOffsets[frame.next++];
      switch (m_map[next]) {
        case tmFree:
          if (m_listedBy[next] != m_group) {
            m_listedBy[next] = m_group;
            ++freeCount;
            PushCandidate(next, CrowdingScore(next) >= 3 ? PocketWeight : OpenWeight);
          }
          break;
        case tmEncloser:
          if (m_listedBy[next] != m_group) {
            m_listedBy[next] = m_group;
            PushCandidate(next, WallWeight);
          }
          break;
        case tmTarget:
          if (m_state[next] == Unvisited) {
            m_state[next] = Filled;
            m_frames[top++] = Frame{next, 0};
          }
          break;
        default:
          break;
      }
    }
    return freeCount;
  }

  void DumpCandidates() {
    if (m_observer == nullptr || m_encloser != Side::Rival) return;
    for (auto p = m_region.rbegin(); p != m_region.rend(); ++p) {
      if (p->X != DumpX || p->Y != DumpY) continue;
      m_observer->OnCandidateDump(std::to_string(p->X) + " " + std::to_string(p->Y) + " " +
                                  std::to_string(p->Weight));
    }
  }

  // Every positive record of the group meets every positive copy of its node
  // already merged, latest first; both take the sum of their weights, so the
  // group's record grows with each copy it meets.
  void MergeCandidates() {
    for (auto p = m_region.rbegin(); p != m_region.rend(); ++p) {
      if (p->Weight <= 0) continue;
      const int node = MapIndex(p->X, p->Y);
      const CopyIndex& copies = m_copies[node];
      for (int i = m_copyCount[node] - 1; i >= 0; --i) {
        Candidate& q = m_merged[static_cast<std::size_t>(copies[static_cast<std::size_t>(i)])];
        if (q.Weight <= 0) continue;
        const auto sum = static_cast<std::int8_t>(p->Weight + q.Weight);
        p->Weight = sum;
        q.Weight = sum;
      }
    }
  }

  void SetCandidateLevel(int level) {
    for (Candidate& p : m_region) p.Level = level;
  }

  // Copies the group's records to the head of the merged list, head first, so
  // that the group's first-found node ends up at the very head.
  void CopyCandidates() {
    for (auto p = m_region.rbegin(); p != m_region.rend(); ++p) {
      const int node = MapIndex(p->X, p->Y);
      if (m_copyCount[node] < 4) {
        m_copies[node][m_copyCount[node]++] = static_cast<int>(m_merged.size());
      }
      m_merged.push_back(*p);
    }
  }

  // The heaviest candidate of the given level, the first in the merged list
  // among equals; a pocket only as the closing node of a level-1 group.
  ThreatResult PickCandidate(int level) const {
    const Candidate* taken = nullptr;
    int best = 0;
    for (auto q = m_merged.rbegin(); q != m_merged.rend(); ++q) {
      if (q->Level != level) continue;
      if (q->Weight > best) {
        taken = &*q;
        best = q->Weight;
      } else if (q->Weight == PocketWeight && level == 1) {
        taken = &*q;
        best = 0;
      }
    }
    if (taken == nullptr) taken = FirstFreeCandidate(level);
    if (taken == nullptr) return ThreatResult{level, -1, -1};
    return ThreatResult{level, taken->X, taken->Y};
  }

  const Candidate* FirstFreeCandidate(int level) const {
    for (auto q = m_merged.rbegin(); q != m_merged.rend(); ++q) {
      if (q->Level == level && q->Weight != WallWeight) return &*q;
    }
    return nullptr;
  }

  const Board& m_board;
  Side m_encloser;
  ThreatObserver* m_observer;
  std::array<std::uint8_t, MapSize> m_map{};
  std::array<std::uint8_t, MapSize> m_state{};
  std::array<std::uint16_t, MapSize> m_listedBy{};
  std::array<std::uint8_t, MapSize> m_copyCount{};
  // Scratch space, written before it is read: left uninitialised.
  std::array<CopyIndex, MapSize> m_copies;
  std::array<int, MapSize> m_cells;
  std::array<Frame, MapSize> m_frames;
  std::uint16_t m_group = 0;
  std::vector<Candidate> m_region;
  std::vector<Candidate> m_merged;
};

}  // namespace

ThreatResult EvaluateThreat(const Board& board, Side encloser, ThreatObserver* observer) {
  ThreatEvaluator evaluator(board, encloser, observer);
  return evaluator.Run();
}

}  // namespace solvar::ai
