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
// engine::CaptureAfterMove. The board remembers which free nodes lie inside
// such an empty ring, so that the random games can keep out of them.
//
// It also answers, without playing, what a dot would take: a node can only
// close a ring when the side's walls on two sides of it are one piece
// already, which the union-find tells at once; only then are the regions
// around it filled to count what they hold.

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "ai/column_fill.h"
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

  // Under the sport rules, a free node inside a ring of the side that holds
  // none of the other side's live dots (a dot of the other side played there
  // is taken at once). Never under the classic rules, which take such rings.
  bool InRingOf(int cell, engine::Side side) const {
    return (m_ring[static_cast<std::size_t>(cell)] & RingBit(side)) != 0;
  }
  bool InAnyRing(int cell) const { return m_ring[static_cast<std::size_t>(cell)] != 0; }

  // True when the side's dot on the free node would close a ring of its walls
  // (it may enclose nothing worth taking).
  bool MayClose(int cell, engine::Side side);
  // MayClose for a node next to the side's newest dot, which lies at `place`
  // (0..7: N, NE, E, SE, S, SW, W, NW) of the node's ring and whose piece of
  // wall has the root `root` (FindRoot of the dot).
  bool MayCloseBeside(int cell, engine::Side side, int place, int root);
  int FindRoot(int cell, engine::Side side) { return FindWall(cell, side); }
  // What the side's dot on the free node would gain: the other side's dots it
  // would capture, and its own captured dots it would win back. 0 when it
  // takes nothing. The position is left as it was.
  int CaptureValue(int cell, engine::Side side);
  // A dot of the side on the free node would have the other side's walls on
  // three sides and a free node on the fourth: the other side takes it with
  // its next dot (unless the dot itself takes something first).
  bool IsTrap(int cell, engine::Side side) const {
    const int walls = std::popcount(static_cast<unsigned>(WallMask(cell, engine::Opponent(side)) & 0x55));
    if (walls != 3) return false;
    for (const int next : Neighbours(cell)) {
      if (IsFree(next)) return true;
    }
    return false;
  }
  // Whether any of the eight nodes round the cell is the side's wall.
  bool TouchesWall(int cell, engine::Side side) const { return WallMask(cell, side) != 0; }
  // The side's walls among the eight cells round the cell: bit i for ring
  // cell i (N, NE, E, SE, S, SW, W, NW). Kept as the cells change.
  int WallMask(int cell, engine::Side side) const {
    return m_ringMask[static_cast<std::size_t>(Index(side))][static_cast<std::size_t>(cell)];
  }
  // How many separate pieces of the side's walls touch the node.
  int PiecesAround(int cell, engine::Side side);
  // The same cells as another board of the same field.
  bool SamePosition(const PlayoutBoard& other) const { return m_cells == other.m_cells; }

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
  static constexpr std::uint8_t RingBit(engine::Side side) { return side == engine::Side::Own ? 1U : 2U; }
  std::array<int, 8> RingOf(int cell) const;
  bool RunsAlreadyJoined(const std::array<int, 8>& ring, int ringMask, engine::Side side);
  int FillAround(int dot, engine::Side side, int mask);
  int StartsAround(int dot, int mask, std::array<int, 4>& starts, bool& finishAll) const;
  // Every change of a cell goes through here, so that the column fill and
  // the ring masks follow it.
  void SetCode(int cell, std::uint8_t code);
  void MarkRing(const std::vector<std::int16_t>& region, engine::Side side);
  void MarkRingsOfPosition();
  void ForgetBrokenRing(int dot, engine::Side ringOwner);
  int FindWall(int cell, engine::Side side);
  void JoinWall(int cell, engine::Side side);
  int Unite(int a, int b, engine::Side side);
  bool JoinDot(int cell, engine::Side side, const std::array<int, 8>& ring, int ringMask);
  int CaptureAround(int cell, engine::Side side, int ringMask);
  int Capture(const std::vector<std::int16_t>& region, engine::Side side, int dot);
  bool Takes(int region, engine::Side side) const;
  std::uint32_t NextStamp();
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
  ColumnFill m_columns;
  std::array<std::vector<std::uint8_t>, 2> m_ringMask;  // WallMask of each cell, per side
  std::vector<std::uint8_t> m_ring;  // RingBit of each side whose empty ring holds the cell
  // Each side's walls in pieces joined through their eight neighbours; a
  // piece that lost cells to a capture may stay joined (which only costs a
  // fill), never the other way.
  std::array<std::vector<std::int16_t>, 2> m_wallParent;
  std::array<std::vector<std::int16_t>, 2> m_wallSize;  // cells under each root, about

  // Scratch of the fills.
  std::vector<std::uint32_t> m_mark;
  std::uint32_t m_stamp = 0;
  std::vector<std::int16_t> m_scratch;
  std::array<std::vector<std::int16_t>, 4> m_regions;
};

}  // namespace solvar::ai
