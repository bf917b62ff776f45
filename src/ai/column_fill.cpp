#include "ai/column_fill.h"

#include <algorithm>
#include <bit>

namespace solvar::ai {

namespace {

using engine::Side;

// What each cell code is, as bits: walls of side 1 and 2, live dots of side
// 1 and 2, dots of side 1 and 2 held by the other side.
constexpr std::array<std::uint8_t, engine::CellStateCount> Kinds = [] {
  std::array<std::uint8_t, engine::CellStateCount> kinds{};
  kinds[engine::csOwn] = 1U | 4U;
  kinds[engine::csRival] = 2U | 8U;
  kinds[engine::csRivalCaptured] = 1U | 32U;
  kinds[engine::csOwnCaptured] = 2U | 16U;
  kinds[engine::csOwnArea] = 1U;
  kinds[engine::csRivalArea] = 2U;
  return kinds;
}();

}  // namespace

void ColumnFill::Reset(int width, int height) {
  m_width = width;
  m_height = height;
  m_insideRows = ((std::uint64_t{1} << height) - 1) & ~std::uint64_t{1};
  m_edgeRows = (std::uint64_t{1} << 1) | (std::uint64_t{1} << (height - 1));
  const auto columns = static_cast<std::size_t>(width + 2);
  for (auto* sides : {&m_walls, &m_live, &m_held}) {
    for (auto& bits : *sides) bits.assign(columns, 0);
  }
  for (Front& front : m_fronts) front.Bits.assign(columns, 0);
}

void ColumnFill::CopyPosition(const ColumnFill& from) {
  m_width = from.m_width;
  m_height = from.m_height;
  m_insideRows = from.m_insideRows;
  m_edgeRows = from.m_edgeRows;
  m_walls = from.m_walls;
  m_live = from.m_live;
  m_held = from.m_held;
  if (m_fronts[0].Bits.size() != m_walls[0].size()) {
    for (Front& front : m_fronts) front.Bits.assign(m_walls[0].size(), 0);
  }
}

void ColumnFill::Write(int x, int y, std::uint8_t before, std::uint8_t after) {
  const unsigned changed = Kinds[before] ^ Kinds[after];
  const std::uint64_t bit = std::uint64_t{1} << y;
  const auto column = static_cast<std::size_t>(x);
  const auto when = [bit, changed](unsigned kind) { return bit & (std::uint64_t{0} - ((changed >> kind) & 1U)); };
  m_walls[0][column] ^= when(0);
  m_walls[1][column] ^= when(1);
  m_live[0][column] ^= when(2);
  m_live[1][column] ^= when(3);
  m_held[0][column] ^= when(4);
  m_held[1][column] ^= when(5);
}

// One step in every direction through the open cells; the front's columns
// outside Low..High are zero. A front that reaches a node next to the frame
// is open; one that did not grow is enclosed.
void ColumnFill::Grow(Front& front) const {
  const int low = std::max(1, front.Low - 1);
  const int high = std::min(m_width - 1, front.High + 1);
  std::uint64_t* bits = front.Bits.data();
  const std::uint64_t* walls = m_fillWalls;
  std::uint64_t previous = 0;
  std::uint64_t changed = 0;
  std::uint64_t edge = 0;
  int first = high + 1;
  int last = low - 1;
  for (int x = low; x <= high; ++x) {
    const std::uint64_t current = bits[x];
    const std::uint64_t grown = (current | current << 1 | current >> 1 | previous | bits[x + 1]) & ~walls[x] & m_insideRows;
    previous = current;
    changed |= grown ^ current;
    edge |= grown;
    bits[x] = grown;
    if (grown != 0) {
      first = std::min(first, x);
      last = x;
    }
  }
  front.Low = first;
  front.High = last;
  if (first <= 1 || last >= m_width - 1 || (edge & m_edgeRows) != 0) {
    front.State = FrontState::Open;
  } else if (changed == 0) {
    front.State = FrontState::Enclosed;
  }
}

bool ColumnFill::Overlap(const Front& a, const Front& b) {
  const int low = std::max(a.Low, b.Low);
  const int high = std::min(a.High, b.High);
  for (int x = low; x <= high; ++x) {
    if ((a.Bits[static_cast<std::size_t>(x)] & b.Bits[static_cast<std::size_t>(x)]) != 0) return true;
  }
  return false;
}

void ColumnFill::Absorb(Front& into, Front& from) {
  for (int x = from.Low; x <= from.High; ++x) into.Bits[static_cast<std::size_t>(x)] |= from.Bits[static_cast<std::size_t>(x)];
  into.Low = std::min(into.Low, from.Low);
  into.High = std::max(into.High, from.High);
  from.State = FrontState::Merged;
}

int ColumnFill::Count(const Front& front, const std::vector<std::uint64_t>& bits) const {
  int count = 0;
  for (int x = front.Low; x <= front.High; ++x) {
    count += std::popcount(front.Bits[static_cast<std::size_t>(x)] & bits[static_cast<std::size_t>(x)]);
  }
  return count;
}

void ColumnFill::FillAround(Side side, Start dot, const Start* starts, int count, bool finishAll) {
  m_fillWalls = m_walls[SideIndex(side)].data();
  // The dot is a wall of the fill (it may not be on the field yet).
  const std::uint64_t dotBit = std::uint64_t{1} << dot.Y;
  const bool dotWasWall = (m_fillWalls[dot.X] & dotBit) != 0;
  m_fillWalls[dot.X] |= dotBit;
  m_used = count;
  for (int i = 0; i < count; ++i) {
    Front& front = m_fronts[static_cast<std::size_t>(i)];
    front.Bits[static_cast<std::size_t>(starts[i].X)] = std::uint64_t{1} << starts[i].Y;
    front.Low = front.High = starts[i].X;
    front.State = FrontState::Running;
  }
  int running = count;
  while (running > 0 && (finishAll || running > 1)) {
    for (int i = 0; i < count; ++i) {
      Front& front = m_fronts[static_cast<std::size_t>(i)];
      if (front.State != FrontState::Running) continue;
      Grow(front);
      for (int k = 0; k < count && front.State == FrontState::Running; ++k) {
        Front& other = m_fronts[static_cast<std::size_t>(k)];
        if (k == i || other.State == FrontState::Merged || !Overlap(front, other)) continue;
        if (other.State == FrontState::Open) {
          front.State = FrontState::Open;
        } else {
          Absorb(other, front);
        }
      }
      if (front.State != FrontState::Running) {
        --running;
        finishAll = finishAll || front.State == FrontState::Open;
      }
    }
  }
  if (!dotWasWall) m_fillWalls[dot.X] &= ~dotBit;
}

int ColumnFill::LiveDots(int front, Side owner) const {
  return Count(m_fronts[static_cast<std::size_t>(front)], m_live[SideIndex(owner)]);
}

int ColumnFill::Gain(int front, Side side) const {
  const Front& region = m_fronts[static_cast<std::size_t>(front)];
  return Count(region, m_live[SideIndex(engine::Opponent(side))]) + Count(region, m_held[SideIndex(side)]);
}

void ColumnFill::CellsOf(int front, int stride, std::vector<std::int16_t>& cells) const {
  const Front& region = m_fronts[static_cast<std::size_t>(front)];
  cells.clear();
  for (int x = region.Low; x <= region.High; ++x) {
    for (std::uint64_t bits = region.Bits[static_cast<std::size_t>(x)]; bits != 0; bits &= bits - 1) {
      cells.push_back(static_cast<std::int16_t>(std::countr_zero(bits) * stride + x));
    }
  }
}

void ColumnFill::ClearFill() {
  for (int i = 0; i < m_used; ++i) {
    Front& front = m_fronts[static_cast<std::size_t>(i)];
    std::fill(front.Bits.begin() + front.Low, front.Bits.begin() + front.High + 1, 0);
  }
  m_used = 0;
}

}  // namespace solvar::ai
