#pragma once
// The field of the random games as columns of bits (bit y of word x for the
// node (x, y)), kept for each side: its walls (its territory), its live dots
// and its dots that the other side holds captured. A fill on them grows a
// region by one step in every direction at once, a whole column at a time,
// which costs far less than a fill node by node on the large regions a ring
// of many dots holds.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/board.h"

namespace solvar::ai {

class ColumnFill {
 public:
  struct Start {
    int X = 0;
    int Y = 0;
  };

  // A field of FieldWidth x FieldHeight with nothing on it.
  void Reset(int width, int height);
  // Takes over the position of another fill of the same field, keeping its
  // own working space.
  void CopyPosition(const ColumnFill& from);
  // The cell (x, y) changes from code `before` to `after`.
  void Write(int x, int y, std::uint8_t before, std::uint8_t after);

  // Grows the regions round a dot of the side at `dot`, each from one start,
  // side by side until each is known to reach the frame or to be enclosed.
  // Unless `finishAll` (the dot lies at the frame, or a region round it is
  // known to reach it), the last region still growing is taken to reach the
  // frame, as the region the dot stood in did. The regions are kept, to be
  // asked about, until ClearFill.
  void FillAround(engine::Side side, Start dot, const Start* starts, int count, bool finishAll);
  bool IsEnclosed(int front) const { return m_fronts[static_cast<std::size_t>(front)].State == FrontState::Enclosed; }
  // The live dots of `owner` in the region.
  int LiveDots(int front, engine::Side owner) const;
  // What a capture of the region gains the side: the other side's live dots
  // and the side's own dots held there.
  int Gain(int front, engine::Side side) const;
  // The region's cells (y * stride + x), column by column.
  void CellsOf(int front, int stride, std::vector<std::int16_t>& cells) const;
  void ClearFill();

 private:
  enum class FrontState : std::uint8_t { Running, Enclosed, Open, Merged };
  struct Front {
    std::vector<std::uint64_t> Bits;
    int Low = 0;
    int High = 0;
    FrontState State = FrontState::Running;
  };
  static constexpr std::size_t SideIndex(engine::Side side) { return side == engine::Side::Own ? 0 : 1; }
  void Grow(Front& front) const;
  static bool Overlap(const Front& a, const Front& b);
  static void Absorb(Front& into, Front& from);
  int Count(const Front& front, const std::vector<std::uint64_t>& bits) const;
  int m_used = 0;  // fronts of the last fill

  int m_width = 0;
  int m_height = 0;
  std::uint64_t m_insideRows = 0;  // rows 1 .. FieldHeight - 1
  std::uint64_t m_edgeRows = 0;    // rows 1 and FieldHeight - 1
  std::array<std::vector<std::uint64_t>, 2> m_walls;
  std::array<std::vector<std::uint64_t>, 2> m_live;
  std::array<std::vector<std::uint64_t>, 2> m_held;
  std::array<Front, 4> m_fronts;
  std::uint64_t* m_fillWalls = nullptr;  // the walls of the side being filled, the dot among them
};

}  // namespace solvar::ai
