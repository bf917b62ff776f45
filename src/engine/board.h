#pragma once
// The Board: one byte per node of the largest field plus its frame, addressed
// by (x, y) = (column, row), and the field size that the current game uses.

#include <array>
#include <cstdint>

namespace solvar::engine {

// Cell codes as stored in the Board. Only 0..7 ever occur.
enum CellState : std::uint8_t {
  csFree = 0,           // empty playable node
  csOwn = 1,            // live dot of side 1 (the local player)
  csRival = 2,          // live dot of side 2 (the computer or the remote player)
  csBorder = 3,         // frame cell
  csRivalCaptured = 4,  // side-2 dot enclosed by side 1
  csOwnCaptured = 5,    // side-1 dot enclosed by side 2
  csOwnArea = 6,        // empty node enclosed by side 1
  csRivalArea = 7,      // empty node enclosed by side 2
};

inline constexpr int CellStateCount = 8;

// Side 1 is the local player, side 2 the computer or the remote player.
enum class Side : std::uint8_t { Own = 1, Rival = 2 };

// The rules a game is played by. Classic: every region that a side cuts off
// from the frame is taken, empty ones included. Sport (as the dots sites play):
// a region is taken only when it holds a live dot of the other side; an empty
// ring takes nothing and stays playable by both, and a dot played into the
// other side's ring is taken at once unless its own move takes dots first.
enum class Rules : std::uint8_t { Classic, Sport };

constexpr Side Opponent(Side side) { return side == Side::Own ? Side::Rival : Side::Own; }
constexpr CellState DotCode(Side side) { return side == Side::Own ? csOwn : csRival; }

// True when the code belongs to the side's territory: its live dots, the
// other side's dots it holds captured and the empty nodes it has enclosed.
constexpr bool IsTerritoryOf(CellState code, Side side) {
  return side == Side::Own ? (code == csOwn || code == csRivalCaptured || code == csOwnArea)
                           : (code == csRival || code == csOwnCaptured || code == csRivalArea);
}

constexpr bool HoldsDot(CellState code) {
  return code == csOwn || code == csRival || code == csRivalCaptured || code == csOwnCaptured;
}

struct Node {
  int X = 0;
  int Y = 0;
  friend constexpr bool operator==(Node, Node) = default;
};

inline constexpr int BoardColumns = 46;  // columns 0..45
inline constexpr int BoardRows = 36;     // rows 0..35
inline constexpr int MinFieldWidth = 15;
inline constexpr int MaxFieldWidth = 45;
inline constexpr int MinFieldHeight = 15;
inline constexpr int MaxFieldHeight = 35;
inline constexpr int DefaultFieldWidth = 31;
inline constexpr int DefaultFieldHeight = 31;

constexpr bool IsAllowedFieldSize(int width, int height) {
  return width >= MinFieldWidth && width <= MaxFieldWidth && height >= MinFieldHeight &&
         height <= MaxFieldHeight;
}

class Board {
 public:
  // Index of the last column and row of the field; the frame lies on
  // columns 0 and FieldWidth and rows 0 and FieldHeight.
  int FieldWidth() const { return m_fieldWidth; }
  int FieldHeight() const { return m_fieldHeight; }

  // Changes the field size. Any size the Board can hold is taken (the position
  // loader and set-up tools use small ones); false and no change otherwise.
  bool SetFieldSize(int width, int height);

  static constexpr bool Holds(int x, int y) {
    return x >= 0 && x < BoardColumns && y >= 0 && y < BoardRows;
  }
  bool InField(int x, int y) const {
    return x >= 0 && x <= m_fieldWidth && y >= 0 && y <= m_fieldHeight;
  }
  bool IsPlayable(int x, int y) const {
    return x >= 1 && x < m_fieldWidth && y >= 1 && y < m_fieldHeight;
  }
  int PlayableCount() const { return (m_fieldWidth - 1) * (m_fieldHeight - 1); }

  CellState At(int x, int y) const { return m_cells[Index(x, y)]; }
  // The cells of column x, rows 0..35, followed by at least 12 more bytes
  // that are always 0, so that a column can be read 16 bytes at a time.
  const CellState* Column(int x) const { return &m_cells[Index(x, 0)]; }
  CellState At(Node n) const { return At(n.X, n.Y); }
  void Set(int x, int y, CellState code) { m_cells[Index(x, y)] = code; }
  void Set(Node n, CellState code) { Set(n.X, n.Y, code); }

 private:
  static constexpr int Index(int x, int y) { return x * BoardRows + y; }

  int m_fieldWidth = DefaultFieldWidth;
  int m_fieldHeight = DefaultFieldHeight;
  static constexpr int ReadPadding = 16;
  std::array<CellState, BoardColumns * BoardRows + ReadPadding> m_cells{};
};

struct CellCounts {
  int OwnScore = 0;    // csRivalCaptured cells: side 1's score
  int RivalScore = 0;  // csOwnCaptured cells: side 2's score
  int FreeCount = 0;   // csFree cells
};

// Frame cells become csBorder; any other csBorder cell of the field becomes
// csFree. Dots and area are kept, so a prepared position survives.
void FrameBoard(Board& board);
// Every cell of columns 1..W and rows 1..H that is not csBorder becomes csFree.
void ClearBoard(Board& board);
// Writes the side's dot. The caller passes a free playable node.
void PlaceDot(Board& board, Node node, Side side);
CellCounts CountCells(const Board& board);
// A game is over as soon as no free node is left after a move and its captures.
constexpr bool IsGameOver(const CellCounts& counts) { return counts.FreeCount == 0; }

}  // namespace solvar::engine
