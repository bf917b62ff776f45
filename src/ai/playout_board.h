#pragma once
// PlayoutBoard: the field of one game, made for playing many random games
// fast. A dot can only enclose regions that touch it: before a move no region
// is enclosed (every move's captures are settled), a dot of one side never
// encloses anything for the other side, and a capture only takes territory
// from the other side. A region can only be cut off by a closed ring of the
// side's walls (its territory, joined through all eight neighbours; the frame
// does not close a ring), so each side's walls are kept in a union-find, and
// only a dot that joins two pieces of wall already joined elsewhere makes the
// regions around it be looked at. Those are filled side by side, each
// stopping at the frame, and the last one left is known to be open without
// filling it. The result is the same Board, counts and captures as a capture
// scan of the whole field for the mover and then for the other side.
//
// Under the sport rules a region is taken only when it holds a live dot of
// the other side, so empty rings stay and a dot played into one of the other
// side's is taken by it unless the dot took something itself: the same as
// engine::CaptureAfterMove.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/board.h"

namespace solvar::ai {

class PlayoutBoard {
 public:
  // Copies the field of the Board (its cells, size and counts); the random
  // games follow `rules`.
  void Load(const engine::Board& board, engine::Rules rules = engine::Rules::Classic);
  // Takes over the position of another playout board of the same field,
  // keeping its own scratch space (no allocation once sized).
  void CopyPosition(const PlayoutBoard& from);

  int Width() const { return m_width; }    // FieldWidth
  int Height() const { return m_height; }  // FieldHeight
  int Stride() const { return m_stride; }
  int CellOf(engine::Node node) const { return node.Y * m_stride + node.X; }
  engine::Node NodeOf(int cell) const { return engine::Node{cell % m_stride, cell / m_stride}; }
  engine::CellState At(int cell) const { return static_cast<engine::CellState>(m_cells[static_cast<std::size_t>(cell)]); }

  // The free playable nodes, in no particular order.
  int FreeCount() const { return static_cast<int>(m_free.size()); }
  int FreeCell(int i) const { return m_free[static_cast<std::size_t>(i)]; }
  bool IsFree(int cell) const { return m_freeAt[static_cast<std::size_t>(cell)] >= 0; }
  // Captured dots of the other side, as CountCells gives them.
  int Score(engine::Side side) const { return m_score[Index(side)]; }

  // The side's dot on a free node, and whatever it encloses. Returns the
  // number of the other side's dots it captured.
  int Play(int cell, engine::Side side);

  bool IsBorder(int cell) const { return m_cells[static_cast<std::size_t>(cell)] == engine::csBorder; }
  // A cell of the side's territory.
  bool IsWall(int cell, engine::Side side) const {
    return ((TerritoryMask[Index(side)] >> m_cells[static_cast<std::size_t>(cell)]) & 1U) != 0;
  }

  // The cells of the four orthogonal neighbours, in the fills' order.
  std::array<int, 4> Neighbours(int cell) const {
    return {cell - 1, cell - m_stride, cell + m_stride, cell + 1};
  }

 private:
  // Bit c set when code c is the side's territory.
  static constexpr std::array<unsigned, 2> TerritoryMask = {(1U << engine::csOwn) | (1U << engine::csRivalCaptured) |
                                                               (1U << engine::csOwnArea),
                                                           (1U << engine::csRival) | (1U << engine::csOwnCaptured) |
                                                               (1U << engine::csRivalArea)};
  static constexpr int Index(engine::Side side) { return side == engine::Side::Own ? 0 : 1; }
  std::array<int, 8> RingOf(int cell) const;
  int FindWall(int cell, engine::Side side);
  void JoinWall(int cell, engine::Side side);
  bool JoinDot(int cell, engine::Side side, const std::array<int, 8>& ring, int ringMask);
  int CaptureAround(int cell, engine::Side side, int ringMask);
  int Capture(const std::vector<std::int16_t>& region, engine::Side side, int dot, std::uint32_t regionMark);
  bool HoldsLiveDot(const std::vector<std::int16_t>& region, engine::Side capturer) const;
  bool SeesFrame(int cell, engine::Side capturer) const;
  int TakePlayedInto(int dot, engine::Side capturer);
  void TakeFree(int cell);

  engine::Rules m_rules = engine::Rules::Classic;
  int m_width = 0;
  int m_height = 0;
  int m_stride = 0;
  std::vector<std::uint8_t> m_cells;
  std::vector<std::int16_t> m_free;
  std::vector<std::int16_t> m_freeAt;  // position in m_free, -1 when not free
  std::array<int, 2> m_score{};
  // Each side's walls in pieces joined through their eight neighbours; a
  // piece that lost cells to a capture may stay joined (which only costs a
  // fill), never the other way.
  std::array<std::vector<std::int16_t>, 2> m_wallParent;

  // Scratch of the fills.
  struct Front {
    std::vector<std::int16_t> Cells;  // the region found so far, in the order reached
    std::size_t Next = 0;             // the next cell to expand
    int State = 0;                    // Running, Enclosed, Open or Merged
    int Alias = 0;                    // the front it merged into
  };
  std::vector<std::uint32_t> m_mark;
  std::uint32_t m_stamp = 0;
  std::array<Front, 4> m_fronts;
};

}  // namespace solvar::ai
