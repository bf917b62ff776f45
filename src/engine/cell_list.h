#pragma once
// Lists of cells filled by pushing at the head. They are stored in push order
// in a vector, so "head first" means from the back to the front.

#include <cstdint>
#include <vector>

namespace solvar::engine {

struct CellLink {
  std::uint8_t X = 0;
  std::uint8_t Y = 0;
  // 0 when pushed; one more each time the same cell is met again.
  std::int32_t Hits = 0;
};

using CellList = std::vector<CellLink>;

}  // namespace solvar::engine
