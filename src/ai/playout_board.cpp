#include "ai/playout_board.h"

#include <algorithm>

#include "ai/ring_table.h"

namespace solvar::ai {

using engine::Side;

void PlayoutBoard::Load(const engine::Board& board, engine::Rules rules) {
  m_rules = rules;
  m_width = board.FieldWidth();
  m_height = board.FieldHeight();
  m_stride = m_width + 1;
  const std::size_t size = static_cast<std::size_t>(m_stride * (m_height + 1));
  m_cells.assign(size, engine::csBorder);
  m_freeAt.assign(size, -1);
  m_free.clear();
  m_mark.assign(size, 0);
  m_stamp = 0;
  m_score = {0, 0};
  m_ring.assign(size, 0);
  for (auto& masks : m_ringMask) masks.assign(size, 0);
  m_columns.Reset(m_width, m_height);
  for (auto& parent : m_wallParent) parent.assign(size, -1);
  for (auto& sizes : m_wallSize) sizes.assign(size, 0);
  for (int y = 1; y < m_height; ++y) {
    for (int x = 1; x < m_width; ++x) {
      const int cell = CellOf(engine::Node{x, y});
      const engine::CellState code = board.At(x, y);
      m_cells[static_cast<std::size_t>(cell)] = engine::csFree;
      SetCode(cell, code);
      if (code == engine::csFree) {
        m_freeAt[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(m_free.size());
        m_free.push_back(static_cast<std::int16_t>(cell));
      } else if (code == engine::csRivalCaptured) {
        ++m_score[0];
      } else if (code == engine::csOwnCaptured) {
        ++m_score[1];
      }
    }
  }
  for (int y = 1; y < m_height; ++y) {
    for (int x = 1; x < m_width; ++x) {
      const int cell = CellOf(engine::Node{x, y});
      for (const Side side : {Side::Own, Side::Rival}) {
        if (IsWall(cell, side)) JoinWall(cell, side);
      }
    }
  }
  if (m_rules == engine::Rules::Sport) MarkRingsOfPosition();
}

// The free nodes each side's walls cut off from the frame: whatever a fill
// from the frame through the rest of the field does not reach.
void PlayoutBoard::MarkRingsOfPosition() {
  for (const Side side : {Side::Own, Side::Rival}) {
    const std::uint32_t mark = NextStamp();
    std::vector<std::int16_t>& reached = m_scratch;
    reached.clear();
    for (int cell = 0; cell < static_cast<int>(m_cells.size()); ++cell) {
      if (!IsBorder(cell)) continue;
      for (const int next : Neighbours(cell)) {
        if (next < 0 || next >= static_cast<int>(m_cells.size()) || IsBorder(next) || IsWall(next, side)) continue;
        if (m_mark[static_cast<std::size_t>(next)] == mark) continue;
        m_mark[static_cast<std::size_t>(next)] = mark;
        reached.push_back(static_cast<std::int16_t>(next));
      }
    }
    for (std::size_t i = 0; i < reached.size(); ++i) {
      for (const int next : Neighbours(reached[i])) {
        if (IsBorder(next) || IsWall(next, side) || m_mark[static_cast<std::size_t>(next)] == mark) continue;
        m_mark[static_cast<std::size_t>(next)] = mark;
        reached.push_back(static_cast<std::int16_t>(next));
      }
    }
    for (const std::int16_t cell : m_free) {
      if (m_mark[static_cast<std::size_t>(cell)] != mark) m_ring[static_cast<std::size_t>(cell)] |= RingBit(side);
    }
  }
}

void PlayoutBoard::CopyPosition(const PlayoutBoard& from) {
  m_rules = from.m_rules;
  m_width = from.m_width;
  m_height = from.m_height;
  m_stride = from.m_stride;
  m_cells = from.m_cells;
  m_free = from.m_free;
  m_freeAt = from.m_freeAt;
  m_score = from.m_score;
  m_ring = from.m_ring;
  m_ringMask = from.m_ringMask;
  m_columns.CopyPosition(from.m_columns);
  m_wallParent = from.m_wallParent;
  m_wallSize = from.m_wallSize;
  if (m_mark.size() != m_cells.size()) {
    m_mark.assign(m_cells.size(), 0);
    m_stamp = 0;
  }
}

void PlayoutBoard::SetCode(int cell, std::uint8_t code) {
  std::uint8_t& at = m_cells[static_cast<std::size_t>(cell)];
  m_columns.Write(cell % m_stride, cell / m_stride, at, code);
  const std::array<int, 8> ring = RingOf(cell);
  for (const Side side : {Side::Own, Side::Rival}) {
    const unsigned territory = TerritoryMask[static_cast<std::size_t>(Index(side))];
    if ((((territory >> at) ^ (territory >> code)) & 1U) == 0) continue;
    // The cell is ring cell (i + 4) % 8 of its neighbour i.
    auto& masks = m_ringMask[static_cast<std::size_t>(Index(side))];
    for (std::size_t i = 0; i < 8; ++i) masks[static_cast<std::size_t>(ring[i])] ^= static_cast<std::uint8_t>(1U << ((i + 4) % 8));
  }
  at = code;
}

std::array<int, 8> PlayoutBoard::RingOf(int cell) const {
  const int s = m_stride;
  return {cell - s, cell - s + 1, cell + 1, cell + s + 1, cell + s, cell + s - 1, cell - 1, cell - s - 1};
}

int PlayoutBoard::FindWall(int cell, Side side) {
  auto& parent = m_wallParent[static_cast<std::size_t>(Index(side))];
  while (parent[static_cast<std::size_t>(cell)] != cell) {
    const std::int16_t up = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(cell)])];
    parent[static_cast<std::size_t>(cell)] = up;
    cell = up;
  }
  return cell;
}

// A new wall cell joins the pieces around it (only cells of the field: the
// frame's cells are never walls).
void PlayoutBoard::JoinWall(int cell, Side side) {
  auto& parent = m_wallParent[static_cast<std::size_t>(Index(side))];
  parent[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(cell);
  m_wallSize[static_cast<std::size_t>(Index(side))][static_cast<std::size_t>(cell)] = 1;
  int root = cell;
  for (const int next : RingOf(cell)) {
    if (!IsWall(next, side) || parent[static_cast<std::size_t>(next)] < 0) continue;
    root = Unite(root, FindWall(next, side), side);
  }
}

// Joins two pieces (given by their roots), the smaller under the larger;
// returns the root of the whole.
int PlayoutBoard::Unite(int a, int b, Side side) {
  if (a == b) return a;
  auto& parent = m_wallParent[static_cast<std::size_t>(Index(side))];
  auto& size = m_wallSize[static_cast<std::size_t>(Index(side))];
  if (size[static_cast<std::size_t>(a)] < size[static_cast<std::size_t>(b)]) std::swap(a, b);
  parent[static_cast<std::size_t>(b)] = static_cast<std::int16_t>(a);
  size[static_cast<std::size_t>(a)] = static_cast<std::int16_t>(size[static_cast<std::size_t>(a)] + size[static_cast<std::size_t>(b)]);
  return a;
}

// The new dot joins the pieces of wall around it (one per run of wall cells
// in its ring). Returns true when two of them were joined already: only then
// can the dot have closed a ring.
bool PlayoutBoard::JoinDot(int cell, Side side, const std::array<int, 8>& ring, int ringMask) {
  auto& parent = m_wallParent[static_cast<std::size_t>(Index(side))];
  parent[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(cell);
  m_wallSize[static_cast<std::size_t>(Index(side))][static_cast<std::size_t>(cell)] = 1;
  bool joinedBefore = false;
  int root = cell;
  const WallRunsOf& runs = Ring.WallRuns[static_cast<std::size_t>(ringMask)];
  for (int k = 0; k < runs.Count; ++k) {
    const int piece = FindWall(ring[static_cast<std::size_t>(runs.First[static_cast<std::size_t>(k)])], side);
    if (piece == root) {
      joinedBefore = true;
    } else {
      root = Unite(root, piece, side);
    }
  }
  return joinedBefore;
}

void PlayoutBoard::TakeFree(int cell) {
  const std::int16_t at = m_freeAt[static_cast<std::size_t>(cell)];
  const std::int16_t last = m_free.back();
  m_free[static_cast<std::size_t>(at)] = last;
  m_freeAt[static_cast<std::size_t>(last)] = at;
  m_free.pop_back();
  m_freeAt[static_cast<std::size_t>(cell)] = -1;
}

int PlayoutBoard::Play(int cell, Side side) {
  const bool intoRing = InRingOf(cell, engine::Opponent(side));
  SetCode(cell, engine::DotCode(side));
  TakeFree(cell);
  const std::array<int, 8> ring = RingOf(cell);
  const int mask = WallMask(cell, side);
  const bool joinedBefore = JoinDot(cell, side, ring, mask);
  const bool mayClose = joinedBefore && Ring.CutRuns[static_cast<std::size_t>(mask)] >= 2;
  const int taken = mayClose ? CaptureAround(cell, side, mask) : 0;
  if (m_rules == engine::Rules::Sport && taken == 0) TakePlayedInto(cell, engine::Opponent(side));
  if (intoRing && taken > 0) ForgetBrokenRing(cell, engine::Opponent(side));
  return taken;
}

// A dot played into the other side's ring that took dots first may have
// taken some of the ring's own wall: the nodes round it are the ring's no
// longer when a fill through them reaches the frame.
void PlayoutBoard::ForgetBrokenRing(int dot, Side ringOwner) {
  const std::uint32_t mark = NextStamp();
  std::vector<std::int16_t>& reached = m_scratch;
  reached.assign(1, static_cast<std::int16_t>(dot));
  m_mark[static_cast<std::size_t>(dot)] = mark;
  bool open = false;
  for (std::size_t i = 0; i < reached.size(); ++i) {
    for (const int next : Neighbours(reached[i])) {
      if (IsBorder(next)) open = true;
      if (IsBorder(next) || IsWall(next, ringOwner) || m_mark[static_cast<std::size_t>(next)] == mark) continue;
      m_mark[static_cast<std::size_t>(next)] = mark;
      reached.push_back(static_cast<std::int16_t>(next));
    }
  }
  if (!open) return;
  for (const std::int16_t cell : reached) m_ring[static_cast<std::size_t>(cell)] &= static_cast<std::uint8_t>(~RingBit(ringOwner));
}

// Two runs of wall round a node that are one piece already: a dot there
// closes a ring through them.
bool PlayoutBoard::RunsAlreadyJoined(const std::array<int, 8>& ring, int ringMask, Side side) {
  std::array<int, 4> roots{};
  const WallRunsOf& runs = Ring.WallRuns[static_cast<std::size_t>(ringMask)];
  for (int k = 0; k < runs.Count; ++k) {
    const int root = FindWall(ring[static_cast<std::size_t>(runs.First[static_cast<std::size_t>(k)])], side);
    for (int j = 0; j < k; ++j) {
      if (roots[static_cast<std::size_t>(j)] == root) return true;
    }
    roots[static_cast<std::size_t>(k)] = root;
  }
  return false;
}

int PlayoutBoard::PiecesAround(int cell, Side side) {
  const std::array<int, 8> ring = RingOf(cell);
  const WallRunsOf& runs = Ring.WallRuns[static_cast<std::size_t>(WallMask(cell, side))];
  std::array<int, 4> roots{};
  int count = 0;
  for (int k = 0; k < runs.Count; ++k) {
    const int root = FindWall(ring[static_cast<std::size_t>(runs.First[static_cast<std::size_t>(k)])], side);
    if (std::find(roots.begin(), roots.begin() + count, root) == roots.begin() + count) {
      roots[static_cast<std::size_t>(count++)] = root;
    }
  }
  return count;
}

bool PlayoutBoard::MayClose(int cell, Side side) {
  const std::array<int, 8> ring = RingOf(cell);
  const int mask = WallMask(cell, side);
  return Ring.CutRuns[static_cast<std::size_t>(mask)] >= 2 && RunsAlreadyJoined(ring, mask, side);
}

// Only a run of wall joined to the newest dot's piece can close a new ring
// with the run the dot is in.
bool PlayoutBoard::MayCloseBeside(int cell, Side side, int place, int root) {
  const std::array<int, 8> ring = RingOf(cell);
  const OtherRunsOf& others = Ring.OtherRuns[static_cast<std::size_t>(WallMask(cell, side))][static_cast<std::size_t>(place)];
  for (int k = 0; k < others.Count; ++k) {
    if (FindWall(ring[static_cast<std::size_t>(others.First[static_cast<std::size_t>(k)])], side) == root) return true;
  }
  return false;
}

int PlayoutBoard::CaptureValue(int cell, Side side) {
  const std::array<int, 8> ring = RingOf(cell);
  const int mask = WallMask(cell, side);
  if (Ring.CutRuns[static_cast<std::size_t>(mask)] < 2 || !RunsAlreadyJoined(ring, mask, side)) return 0;
  const int regions = FillAround(cell, side, mask);
  int value = 0;
  for (int i = 0; i < regions; ++i) {
    if (m_columns.IsEnclosed(i) && Takes(i, side)) value += m_columns.Gain(i, side);
  }
  m_columns.ClearFill();
  return value;
}

// An enclosed region is taken: always under the classic rules, and under the
// sport rules when it holds a live dot of the other side.
bool PlayoutBoard::Takes(int region, Side side) const {
  return m_rules != engine::Rules::Sport || m_columns.LiveDots(region, engine::Opponent(side)) > 0;
}

std::uint32_t PlayoutBoard::NextStamp() {
  if (m_stamp > 0xFFFFFFF0U) {
    m_mark.assign(m_mark.size(), 0);
    m_stamp = 0;
  }
  return ++m_stamp;
}

void PlayoutBoard::MarkRing(const std::vector<std::int16_t>& region, Side side) {
  for (const std::int16_t cell : region) {
    if (m_cells[static_cast<std::size_t>(cell)] == engine::csFree) m_ring[static_cast<std::size_t>(cell)] |= RingBit(side);
  }
}

// A straight line from the cell to the frame that meets none of the
// capturer's walls: the cell is not enclosed by it (the usual case, found
// without a fill).
bool PlayoutBoard::SeesFrame(int cell, Side capturer) const {
  for (const int step : {-1, +1, -m_stride, +m_stride}) {
    int at = cell + step;
    while (!IsBorder(at) && !IsWall(at, capturer)) at += step;
    if (IsBorder(at)) return true;
  }
  return false;
}

// Sport rules: a dot that took nothing, played into a region the other side
// has cut off from the frame, is taken by it with the region.
int PlayoutBoard::TakePlayedInto(int dot, Side capturer) {
  if (SeesFrame(dot, capturer)) return 0;
  const std::uint32_t mark = NextStamp();
  std::vector<std::int16_t>& region = m_scratch;
  region.assign(1, static_cast<std::int16_t>(dot));
  m_mark[static_cast<std::size_t>(dot)] = mark;
  int wall = -1;
  for (std::size_t next = 0; next < region.size(); ++next) {
    for (const int near : Neighbours(region[next])) {
      if (IsBorder(near)) return 0;
      if (IsWall(near, capturer)) {
        wall = near;
        continue;
      }
      if (m_mark[static_cast<std::size_t>(near)] == mark) continue;
      m_mark[static_cast<std::size_t>(near)] = mark;
      region.push_back(static_cast<std::int16_t>(near));
    }
  }
  return Capture(region, capturer, wall);
}

// The regions of non-wall cells next to the new dot, each grown from one
// orthogonal neighbour, side by side (see ColumnFill). The region the dot was
// part of reached the frame before the move, so unless the dot itself lay
// next to the frame one of the parts is still open: when every other part is
// known, the last need not be grown. Under the sport rules an enclosed region
// without a live dot of the other side stays, as the side's empty ring.
int PlayoutBoard::CaptureAround(int dot, Side side, int mask) {
  const int regions = FillAround(dot, side, mask);
  int taken = 0;
  for (int i = 0; i < regions; ++i) {
    std::vector<std::int16_t>& cells = m_regions[static_cast<std::size_t>(taken)];
    cells.clear();
    if (!m_columns.IsEnclosed(i)) continue;
    m_columns.CellsOf(i, m_stride, cells);
    if (Takes(i, side)) {
      ++taken;
    } else {
      MarkRing(cells, side);
    }
  }
  m_columns.ClearFill();
  int captured = 0;
  for (int i = 0; i < taken; ++i) captured += Capture(m_regions[static_cast<std::size_t>(i)], side, dot);
  return captured;
}

// The cells round the dot that start the fills of the regions it may have
// cut apart: one orthogonal neighbour for each run of non-wall ring cells,
// leaving out the runs that touch the frame (open already). `finishAll` is
// set when the last region still growing cannot be taken to be open: the
// dot lies at the frame, or a region round it is known to reach it.
int PlayoutBoard::StartsAround(int dot, int mask, std::array<int, 4>& starts, bool& finishAll) const {
  const auto& runOf = Ring.RunOf[static_cast<std::size_t>(mask)];
  const std::array<int, 8> ring = RingOf(dot);
  std::array<bool, 4> runOpen{};
  for (int i = 0; i < 8; ++i) {
    const int run = runOf[static_cast<std::size_t>(i)];
    if (run >= 0 && IsBorder(ring[static_cast<std::size_t>(i)])) runOpen[static_cast<std::size_t>(run)] = true;
  }
  finishAll = false;
  int count = 0;
  std::array<bool, 4> started{};
  for (const int o : OrthogonalPlaces) {
    const int start = ring[static_cast<std::size_t>(o)];
    const int run = runOf[static_cast<std::size_t>(o)];
    if (IsBorder(start)) finishAll = true;
    if (run < 0 || IsBorder(start)) continue;
    if (runOpen[static_cast<std::size_t>(run)]) {
      finishAll = true;
      continue;
    }
    if (started[static_cast<std::size_t>(run)]) continue;
    started[static_cast<std::size_t>(run)] = true;
    starts[static_cast<std::size_t>(count++)] = start;
  }
  return count;
}

// Grows the regions round the dot in the column fill; returns how many.
int PlayoutBoard::FillAround(int dot, Side side, int mask) {
  std::array<int, 4> starts{};
  bool finishAll = false;
  const int count = StartsAround(dot, mask, starts, finishAll);
  std::array<ColumnFill::Start, 4> at{};
  for (int i = 0; i < count; ++i) {
    const engine::Node node = NodeOf(starts[static_cast<std::size_t>(i)]);
    at[static_cast<std::size_t>(i)] = {node.X, node.Y};
  }
  const engine::Node node = NodeOf(dot);
  m_columns.FillAround(side, {node.X, node.Y}, at.data(), count, finishAll);
  return count;
}

// The region's cells change hands as in a capture scan; returns the dots of
// the other side it took. The region becomes wall of the piece whose ring
// closed it (the piece of `dot`, a wall cell of that ring); a piece of wall
// standing inside it joins that piece too.
int PlayoutBoard::Capture(const std::vector<std::int16_t>& region, Side side, int dot) {
  const std::uint32_t regionMark = NextStamp();
  for (const std::int16_t cell : region) m_mark[static_cast<std::size_t>(cell)] = regionMark;
  const bool own = side == Side::Own;
  int taken = 0;
  for (const std::int16_t cell : region) {
    switch (m_cells[static_cast<std::size_t>(cell)]) {
      case engine::csFree:
        TakeFree(cell);
        SetCode(cell, own ? engine::csOwnArea : engine::csRivalArea);
        break;
      case engine::csRival:
      case engine::csOwn:
        SetCode(cell, own ? engine::csRivalCaptured : engine::csOwnCaptured);
        ++m_score[Index(side)];
        ++taken;
        break;
      case engine::csOwnCaptured:
      case engine::csRivalCaptured:
        SetCode(cell, own ? engine::csOwn : engine::csRival);
        --m_score[Index(engine::Opponent(side))];
        break;
      default:
        SetCode(cell, own ? engine::csOwnArea : engine::csRivalArea);
        break;
    }
  }
  auto& parent = m_wallParent[static_cast<std::size_t>(Index(side))];
  auto& size = m_wallSize[static_cast<std::size_t>(Index(side))];
  int ring = FindWall(dot, side);
  for (const std::int16_t cell : region) parent[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(ring);
  size[static_cast<std::size_t>(ring)] = static_cast<std::int16_t>(size[static_cast<std::size_t>(ring)] + region.size());
  for (const std::int16_t cell : region) {
    for (const int next : Neighbours(cell)) {
      if (m_mark[static_cast<std::size_t>(next)] == regionMark || !IsWall(next, side)) continue;
      ring = Unite(ring, FindWall(next, side), side);
    }
  }
  return taken;
}

}  // namespace solvar::ai
