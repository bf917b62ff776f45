#include "ai/threat.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/bit_masks.h"
#include "engine/work_map.h"

namespace solvar::ai {

namespace {

using engine::Board;
using engine::ColumnMasks;
using engine::MapIndex;
using engine::MapSize;
using engine::MapX;
using engine::MapY;
using engine::NeighbourOffsets;
using engine::Side;

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

struct Frame {
  int Cell;
  int Next;
};

}  // namespace

// A cell counts as visited, listed or copied only when its stamp is the
// current evaluation's or group's, so nothing is cleared between evaluations.
struct ThreatWorkspace::Scratch {
  std::uint32_t Evaluation = 0;
  std::uint32_t Group = 0;
  std::array<std::uint32_t, MapSize> Visited{};
  std::array<std::uint32_t, MapSize> ListedBy{};
  std::array<std::uint32_t, MapSize> CopyStamp{};
  std::array<std::uint8_t, MapSize> CopyCount{};
  std::array<CopyIndex, MapSize> Copies{};
  std::array<Frame, MapSize> Frames{};
  std::vector<Candidate> Region;
  std::vector<Candidate> Merged;

  void StartEvaluation() {
    if (Evaluation > 0xF0000000U || Group > 0xF0000000U) {
      Evaluation = Group = 0;
      Visited.fill(0);
      ListedBy.fill(0);
      CopyStamp.fill(0);
    }
    ++Evaluation;
    Merged.clear();
  }
};

ThreatWorkspace::ThreatWorkspace() : m_scratch(std::make_unique<Scratch>()) {}
ThreatWorkspace::~ThreatWorkspace() = default;

namespace {

using Scratch = ThreatWorkspace::Scratch;

class ThreatEvaluator {
 public:
  ThreatEvaluator(const Board& board, Side encloser, ThreatObserver* observer, Scratch& scratch)
      : m_board(board), m_enclosingSide(encloser), m_observer(observer), m_scratch(scratch),
        m_region(m_scratch.Region), m_merged(m_scratch.Merged) {}

  ThreatResult Run(const engine::BoardMasks& masks) {
    m_free = masks.Free;
    m_encloser = masks.Territory(m_enclosingSide);
    m_target = masks.Territory(engine::Opponent(m_enclosingSide));
    // One pass from the frame: a group with a cell next to the frame can
    // never be enclosed, whichever of its cells a fill would start from.
    const ColumnMasks reachesFrame = engine::Flood(engine::Touching(m_target, masks.Border), m_target);
    const ColumnMasks enclosable = engine::AndNot(m_target, reachesFrame);
    if (engine::IsEmpty(enclosable)) return ThreatResult{};

    m_scratch.StartEvaluation();
    int bestLevel = NoLevel;
    for (int x = 0; x <= m_board.FieldWidth(); ++x) {
      for (int y = 0; y <= m_board.FieldHeight(); ++y) {
        if (!engine::Has(enclosable, x, y) || Visited(MapIndex(x, y))) continue;
        const int level = std::min(FillRegion(MapIndex(x, y)), MaxLevel);
        DumpCandidates();
        MergeCandidates();
        SetCandidateLevel(level);
        CopyCandidates();
        bestLevel = std::min(bestLevel, level);
      }
    }
    return PickCandidate(bestLevel);
  }

 private:
  bool Visited(int cell) const { return m_scratch.Visited[cell] == m_scratch.Evaluation; }
  void MarkVisited(int cell) { m_scratch.Visited[cell] = m_scratch.Evaluation; }
  int CopyCount(int cell) const {
    return m_scratch.CopyStamp[cell] == m_scratch.Evaluation ? m_scratch.CopyCount[cell] : 0;
  }

  bool IsFree(int cell) const { return engine::HasCell(m_free, cell); }
  bool IsTarget(int cell) const { return engine::HasCell(m_target, cell); }
  bool IsEncloser(int cell) const { return engine::HasCell(m_encloser, cell); }

  // Crowding of a free node over its 3 x 3 block: orthogonal target cells
  // count +1, orthogonal encloser or frame cells -1, any occupied diagonal -1.
  int CrowdingScore(int cell) const {
    int score = 0;
    for (const int offset : NeighbourOffsets) {
      const int next = cell + offset;
      if (IsTarget(next)) ++score;
      else if (!IsFree(next)) --score;
    }
    for (const int dx : {-engine::MapRows, engine::MapRows}) {
      for (const int dy : {-1, 1}) {
        if (!IsFree(cell + dx + dy)) --score;
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
    const std::uint32_t group = ++m_scratch.Group;
    auto& listedBy = m_scratch.ListedBy;
    auto& frames = m_scratch.Frames;
    int freeCount = 0;
    int top = 0;
    MarkVisited(start);
    frames[top++] = Frame{start, 0};
    while (top > 0) {
      Frame& frame = frames[top - 1];
      if (frame.Next == 4) {
        --top;
        continue;
      }
      const int next = frame.Cell + NeighbourOffsets[frame.Next++];
      if (IsTarget(next)) {
        if (!Visited(next)) {
          MarkVisited(next);
          frames[top++] = Frame{next, 0};
        }
      } else if (listedBy[next] != group) {
        if (IsFree(next)) {
          listedBy[next] = group;
          ++freeCount;
          PushCandidate(next, CrowdingScore(next) >= 3 ? PocketWeight : OpenWeight);
        } else if (IsEncloser(next)) {
          listedBy[next] = group;
          PushCandidate(next, WallWeight);
        }
      }
    }
    return freeCount;
  }

  void DumpCandidates() {
    if (m_observer == nullptr || m_enclosingSide != Side::Rival) return;
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
      const CopyIndex& copies = m_scratch.Copies[node];
      for (int i = CopyCount(node) - 1; i >= 0; --i) {
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
      const int count = CopyCount(node);
      if (count < 4) {
        m_scratch.Copies[node][static_cast<std::size_t>(count)] = static_cast<int>(m_merged.size());
        m_scratch.CopyCount[node] = static_cast<std::uint8_t>(count + 1);
        m_scratch.CopyStamp[node] = m_scratch.Evaluation;
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
  Side m_enclosingSide;
  ThreatObserver* m_observer;
  ColumnMasks m_free{};
  ColumnMasks m_encloser{};
  ColumnMasks m_target{};
  Scratch& m_scratch;
  std::vector<Candidate>& m_region;
  std::vector<Candidate>& m_merged;
};

}  // namespace

ThreatResult EvaluateThreat(const Board& board, const engine::BoardMasks& masks, Side encloser,
                            ThreatWorkspace& workspace, ThreatObserver* observer) {
  ThreatEvaluator evaluator(board, encloser, observer, workspace.Get());
  return evaluator.Run(masks);
}

ThreatResult EvaluateThreat(const Board& board, Side encloser, ThreatObserver* observer) {
  ThreatWorkspace workspace;
  return EvaluateThreat(board, engine::SplitBoard(board), encloser, workspace, observer);
}

}  // namespace solvar::ai
