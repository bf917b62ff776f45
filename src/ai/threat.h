#pragma once
// Threat evaluation: how close one side, the encloser, is to enclosing some
// group of the other side, and on which free node its next dot should go.
//
// A target group is a set of the target's territory cells joined through
// orthogonal neighbours. Its level is the number of distinct free nodes next
// to it; a group that touches the frame can never be enclosed and has none.
// Each enclosable group lists its neighbours (free nodes and encloser cells)
// in the order a depth-first fill meets them, newest first; the lists of all
// groups are merged, a node shared by several groups gaining weight, and the
// node picked is the heaviest of the groups at the lowest level.

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/bit_masks.h"
#include "engine/board.h"

namespace solvar::ai {

inline constexpr int NoLevel = 255;

// Candidate weights.
inline constexpr std::int8_t OpenWeight = 1;     // an ordinary free node next to the group
inline constexpr std::int8_t WallWeight = -1;    // an encloser cell next to the group
inline constexpr std::int8_t PocketWeight = -2;  // a free node hemmed in by the target

struct ThreatResult {
  int Level = NoLevel;
  int X = -1;
  int Y = -1;
  friend bool operator==(const ThreatResult&, const ThreatResult&) = default;
};

// Receives the diagnostic lines of DumpCandidates: when side 2 is the
// encloser, one line "X Y Weight" for every listed candidate at node (10, 10).
class ThreatObserver {
 public:
  virtual ~ThreatObserver() = default;
  virtual void OnCandidateDump(std::string_view line) { (void)line; }
};

// The working space of the evaluation, kept from one evaluation to the next
// so that an evaluation allocates and clears nothing. Whoever evaluates owns
// one; a workspace serves one evaluation at a time.
class ThreatWorkspace {
 public:
  ThreatWorkspace();
  ~ThreatWorkspace();
  ThreatWorkspace(const ThreatWorkspace&) = delete;
  ThreatWorkspace& operator=(const ThreatWorkspace&) = delete;

  struct Scratch;
  Scratch& Get() { return *m_scratch; }

 private:
  std::unique_ptr<Scratch> m_scratch;
};

// Level and node of the encloser's best chance. Level NoLevel and node
// (-1, -1) when no target group can be enclosed. When no candidate of the
// best level qualifies (every free neighbour a pocket above level 1), the
// first free node of that level is given; a group with no free neighbour at
// all (level 0) gives node (-1, -1). A group with more than 254 free
// neighbours is given level 254.
ThreatResult EvaluateThreat(const engine::Board& board, const engine::BoardMasks& masks,
                            engine::Side encloser, ThreatWorkspace& workspace,
                            ThreatObserver* observer = nullptr);
// The same with a workspace of its own, for a single evaluation.
ThreatResult EvaluateThreat(const engine::Board& board, engine::Side encloser,
                            ThreatObserver* observer = nullptr);

}  // namespace solvar::ai
