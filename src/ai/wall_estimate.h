#pragma once
// What the walls on the field will enclose in the end, estimated from where
// each side's dots stand now: for the random games that stop short of the
// end on a large field. When one side's enclosures are estimated, a free
// node within reach of its dots and no farther from them than from the
// other side's counts as its wall; the other side's live dots that cannot
// then reach the frame are counted as lost to it. A group in the middle
// with the other side's dots lined along the edges round it is seen as
// walled in long before a ring can close, and the dots that keep a way out
// to the frame as worth playing.

#include <array>
#include <cstdint>
#include <vector>

#include "ai/playout_board.h"
#include "ai/tactics.h"

namespace solvar::ai {

class WallEstimate {
 public:
  // The other side's live dots that each side's walls and near nodes cut off
  // from the frame; indexed by SideIndex. `reach` is how many steps from a
  // side's dots a free node may lie to be counted as its.
  std::array<int, 2> Enclosed(const PlayoutBoard& board, int reach);

 private:
  void Distances(const PlayoutBoard& board, engine::Side side, int reach, std::vector<std::uint8_t>& distance);
  int CutOff(const PlayoutBoard& board, engine::Side encloser);

  std::array<std::vector<std::uint8_t>, 2> m_distance;
  std::vector<std::uint8_t> m_seen;
  std::vector<std::int16_t> m_queue;
};

}  // namespace solvar::ai
