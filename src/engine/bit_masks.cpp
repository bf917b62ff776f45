#include "engine/bit_masks.h"

#include <tuple>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace solvar::engine {

namespace {

constexpr std::uint64_t AllRows = ~std::uint64_t{0};

// Bit y set where the column's cell y equals code, for rows 0..35.
struct ColumnSplit {
  std::uint64_t Own, Rival, Free, Border;
};

#if defined(__SSE2__)
ColumnSplit SplitColumn(const CellState* cells) {
  ColumnSplit split{0, 0, 0, 0};
  for (int chunk = 0; chunk < 3; ++chunk) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + 16 * chunk));
    auto is = [&](int code) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(code))); };
    const auto bits = [](__m128i m) {
      return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m)));
    };
    const int shift = 16 * chunk;
    split.Own |= bits(_mm_or_si128(_mm_or_si128(is(csOwn), is(csRivalCaptured)), is(csOwnArea))) << shift;
    split.Rival |= bits(_mm_or_si128(_mm_or_si128(is(csRival), is(csOwnCaptured)), is(csRivalArea))) << shift;
    split.Free |= bits(is(csFree)) << shift;
    split.Border |= bits(is(csBorder)) << shift;
  }
  return split;
}
#else
ColumnSplit SplitColumn(const CellState* cells) {
  ColumnSplit split{0, 0, 0, 0};
  for (int y = 0; y < BoardRows; ++y) {
    const std::uint64_t bit = std::uint64_t{1} << y;
    const CellState code = cells[y];
    if (IsTerritoryOf(code, Side::Own)) split.Own |= bit;
    else if (IsTerritoryOf(code, Side::Rival)) split.Rival |= bit;
    else if (code == csFree) split.Free |= bit;
    else if (code == csBorder) split.Border |= bit;
  }
  return split;
}
#endif

// Fills the runs of `within` in one column that hold a cell of `seed`: up by
// the carry of an addition, down by doubling shifts.
std::uint64_t FillColumn(std::uint64_t seed, std::uint64_t within) {
  const std::uint64_t start = seed & within;
  const std::uint64_t up = (((within + start) ^ within) | start) & within;
  std::uint64_t down = start;
  std::uint64_t pass = within;
  for (int step = 1; step < 64; step <<= 1) {
    down |= pass & (down >> step);
    pass &= pass >> step;
  }
  return up | down;
}

}  // namespace

BoardMasks SplitBoard(const Board& board) {
  BoardMasks masks;
  masks.Border.fill(AllRows);
  const int w = board.FieldWidth();
  const int h = board.FieldHeight();
  const std::uint64_t fieldRows = ((std::uint64_t{1} << (h + 1)) - 1);
  for (int x = 0; x <= w; ++x) {
    const ColumnSplit split = SplitColumn(board.Column(x));
    const auto column = static_cast<std::size_t>(x + 1);
    masks.Own[column] = (split.Own & fieldRows) << 1;
    masks.Rival[column] = (split.Rival & fieldRows) << 1;
    masks.Free[column] = (split.Free & fieldRows) << 1;
    masks.Border[column] = ~(fieldRows << 1) | ((split.Border & fieldRows) << 1);
  }
  return masks;
}

ColumnMasks Flood(const ColumnMasks& seed, const ColumnMasks& within) {
  constexpr std::size_t n = std::tuple_size_v<ColumnMasks>;
  ColumnMasks reached{};
  for (std::size_t x = 0; x < n; ++x) reached[x] = FillColumn(seed[x], within[x]);
  // A column is grown again whenever a neighbour has grown since it last was;
  // sweeps go right, then left, until no column is waiting.
  std::array<bool, n> waiting{};
  waiting.fill(true);
  auto grow = [&](std::size_t x) {
    waiting[x] = false;
    const std::uint64_t from = (x > 0 ? reached[x - 1] : 0) | (x + 1 < n ? reached[x + 1] : 0);
    const std::uint64_t grown = FillColumn(reached[x] | (from & within[x]), within[x]);
    if (grown == reached[x]) return false;
    reached[x] = grown;
    if (x > 0) waiting[x - 1] = true;
    if (x + 1 < n) waiting[x + 1] = true;
    return true;
  };
  for (bool any = true; any;) {
    any = false;
    for (std::size_t x = 0; x < n; ++x) {
      if (waiting[x]) any |= grow(x);
    }
    for (std::size_t x = n; x-- > 0;) {
      if (waiting[x]) any |= grow(x);
    }
  }
  return reached;
}

ColumnMasks Touching(const ColumnMasks& cells, const ColumnMasks& near) {
  ColumnMasks result{};
  for (std::size_t x = 0; x < cells.size(); ++x) {
    std::uint64_t around = (near[x] << 1) | (near[x] >> 1);
    if (x > 0) around |= near[x - 1];
    if (x + 1 < cells.size()) around |= near[x + 1];
    result[x] = cells[x] & around;
  }
  return result;
}

ColumnMasks AndNot(const ColumnMasks& a, const ColumnMasks& b) {
  ColumnMasks result{};
  for (std::size_t x = 0; x < a.size(); ++x) result[x] = a[x] & ~b[x];
  return result;
}

bool IsEmpty(const ColumnMasks& cells) {
  std::uint64_t any = 0;
  for (const std::uint64_t column : cells) any |= column;
  return any == 0;
}

}  // namespace solvar::engine
