#include "ai/wall_estimate.h"

namespace solvar::ai {

using engine::Side;

namespace {
constexpr std::uint8_t Far = 0xFF;
}

// Steps (orthogonal) from the side's walls to each free node, up to `reach`.
void WallEstimate::Distances(const PlayoutBoard& board, Side side, int reach, std::vector<std::uint8_t>& distance) {
  const auto size = static_cast<std::size_t>(board.Stride() * (board.Height() + 1));
  distance.assign(size, Far);
  m_queue.clear();
  for (int cell = 0; cell < static_cast<int>(size); ++cell) {
    if (!board.IsBorder(cell) && board.IsWall(cell, side)) {
      distance[static_cast<std::size_t>(cell)] = 0;
      m_queue.push_back(static_cast<std::int16_t>(cell));
    }
  }
  for (std::size_t i = 0; i < m_queue.size(); ++i) {
    const int cell = m_queue[i];
    const int next = distance[static_cast<std::size_t>(cell)] + 1;
    if (next > reach) continue;
    for (const int near : board.Neighbours(cell)) {
      if (!board.IsFree(near) || distance[static_cast<std::size_t>(near)] != Far) continue;
      distance[static_cast<std::size_t>(near)] = static_cast<std::uint8_t>(next);
      m_queue.push_back(static_cast<std::int16_t>(near));
    }
  }
}

// The other side's live dots that a fill from the frame cannot reach through
// cells that are neither the encloser's walls nor free nodes at least as
// near to it as to the other side (a gap both could fill is the
// encloser's: it is the one trying to close it).
int WallEstimate::CutOff(const PlayoutBoard& board, Side encloser) {
  const auto& mine = m_distance[SideIndex(encloser)];
  const auto& theirs = m_distance[SideIndex(engine::Opponent(encloser))];
  const auto blocks = [&](int cell) {
    if (board.IsWall(cell, encloser)) return true;
    if (!board.IsFree(cell)) return false;
    const auto at = static_cast<std::size_t>(cell);
    return mine[at] != Far && mine[at] <= theirs[at];
  };
  const auto size = static_cast<std::size_t>(board.Stride() * (board.Height() + 1));
  m_seen.assign(size, 0);
  m_queue.clear();
  for (int cell = 0; cell < static_cast<int>(size); ++cell) {
    if (!board.IsBorder(cell)) continue;
    for (const int near : board.Neighbours(cell)) {
      if (near < 0 || near >= static_cast<int>(size) || board.IsBorder(near) || blocks(near)) continue;
      if (m_seen[static_cast<std::size_t>(near)] != 0) continue;
      m_seen[static_cast<std::size_t>(near)] = 1;
      m_queue.push_back(static_cast<std::int16_t>(near));
    }
  }
  for (std::size_t i = 0; i < m_queue.size(); ++i) {
    for (const int near : board.Neighbours(m_queue[i])) {
      if (board.IsBorder(near) || m_seen[static_cast<std::size_t>(near)] != 0 || blocks(near)) continue;
      m_seen[static_cast<std::size_t>(near)] = 1;
      m_queue.push_back(static_cast<std::int16_t>(near));
    }
  }
  const engine::CellState live = engine::DotCode(engine::Opponent(encloser));
  int cut = 0;
  for (int cell = 0; cell < static_cast<int>(size); ++cell) {
    if (board.At(cell) == live && m_seen[static_cast<std::size_t>(cell)] == 0) ++cut;
  }
  return cut;
}

std::array<int, 2> WallEstimate::Enclosed(const PlayoutBoard& board, int reach) {
  Distances(board, Side::Own, reach, m_distance[0]);
  Distances(board, Side::Rival, reach, m_distance[1]);
  return {CutOff(board, Side::Own), CutOff(board, Side::Rival)};
}

}  // namespace solvar::ai
