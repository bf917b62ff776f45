#pragma once
// Whole-field sets of cells as bit masks, one 64-bit word per column, for the
// passes that look at every cell (which regions reach the frame, which groups
// can be enclosed). Bit (y + 1) of word (x + 1) stands for node (x, y); the
// words and bits around the Board are a margin that counts as frame.

#include <array>
#include <cstdint>

#include "engine/board.h"
#include "engine/work_map.h"

namespace solvar::engine {

inline constexpr int MaskColumns = BoardColumns + 2;
using ColumnMasks = std::array<std::uint64_t, MaskColumns>;

struct BoardMasks {
  ColumnMasks Own{};     // side 1's territory: csOwn, csRivalCaptured, csOwnArea
  ColumnMasks Rival{};   // side 2's territory: csRival, csOwnCaptured, csRivalArea
  ColumnMasks Free{};    // csFree cells of the field
  ColumnMasks Border{};  // csBorder cells, and everything outside the field

  const ColumnMasks& Territory(Side side) const { return side == Side::Own ? Own : Rival; }
};

BoardMasks SplitBoard(const Board& board);

// The cells of `within` connected to `seed` through orthogonal neighbours
// inside `within` (seed cells outside `within` are dropped).
ColumnMasks Flood(const ColumnMasks& seed, const ColumnMasks& within);

// The cells of `cells` that have an orthogonal neighbour in `near`.
ColumnMasks Touching(const ColumnMasks& cells, const ColumnMasks& near);

ColumnMasks AndNot(const ColumnMasks& a, const ColumnMasks& b);
bool IsEmpty(const ColumnMasks& cells);

constexpr bool Has(const ColumnMasks& cells, int x, int y) {
  return (cells[static_cast<std::size_t>(x + 1)] >> (y + 1)) & 1U;
}

namespace detail {
struct CellPlaces {
  std::array<std::uint8_t, MapSize> Column{};
  std::array<std::uint8_t, MapSize> Bit{};
  constexpr CellPlaces() {
    for (int i = 0; i < MapSize; ++i) {
      Column[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i / MapRows);
      Bit[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % MapRows);
    }
  }
};
inline constexpr CellPlaces Places;
}  // namespace detail

// The same test for a cell given by its index in a working map: word
// index / MapRows, bit index % MapRows.
inline bool HasCell(const ColumnMasks& cells, int mapIndex) {
  const auto i = static_cast<std::size_t>(mapIndex);
  return (cells[detail::Places.Column[i]] >> detail::Places.Bit[i]) & 1U;
}

}  // namespace solvar::engine
