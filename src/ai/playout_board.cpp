#include "ai/playout_board.h"

namespace solvar::ai {

namespace {

using engine::Side;

constexpr int Running = 0;
constexpr int Enclosed = 1;
constexpr int Open = 2;
constexpr int Merged = 3;

// The eight cells around a dot, in ring order: N, NE, E, SE, S, SW, W, NW.
// The orthogonal ones are at 0, 2, 4 and 6.
constexpr std::array<int, 4> OrthogonalPlaces = {0, 2, 4, 6};

// For each pattern of walls among the eight cells around a dot (bit i set
// when ring cell i is a wall), the run of non-wall ring cells each cell
// belongs to (-1 for a wall), and how many runs hold an orthogonal cell. A
// new dot can only have cut a region in two when two or more such runs
// exist: otherwise its orthogonal neighbours still join up around it.
struct RingTable {
  std::array<std::array<std::int8_t, 8>, 256> RunOf{};
  std::array<std::uint8_t, 256> CutRuns{};

  constexpr RingTable() {
    for (int mask = 0; mask < 256; ++mask) {
      auto& runOf = RunOf[static_cast<std::size_t>(mask)];
      const auto wall = [mask](int i) { return ((mask >> (i & 7)) & 1) != 0; };
      int start = 0;
      while (start < 8 && !wall(start)) ++start;
      int runs = 0;
      for (int k = 0; k < 8; ++k) {
        const int i = (start + 1 + k) % 8;
        if (wall(i)) {
          runOf[static_cast<std::size_t>(i)] = -1;
        } else {
          if (k == 0 || wall(i - 1 + 8)) ++runs;
          runOf[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(start == 8 ? 0 : runs - 1);
        }
      }
      std::array<bool, 4> counted{};
      int cut = 0;
      for (const int o : OrthogonalPlaces) {
        const int run = runOf[static_cast<std::size_t>(o)];
        if (run >= 0 && !counted[static_cast<std::size_t>(run)]) {
          counted[static_cast<std::size_t>(run)] = true;
          ++cut;
        }
      }
      CutRuns[static_cast<std::size_t>(mask)] = static_cast<std::uint8_t>(cut);
    }
  }
};

constexpr RingTable Ring;

}  // namespace

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
  for (auto& parent : m_wallParent) parent.assign(size, -1);
  for (int y = 1; y < m_height; ++y) {
    for (int x = 1; x < m_width; ++x) {
      const int cell = CellOf(engine::Node{x, y});
      const engine::CellState code = board.At(x, y);
      m_cells[static_cast<std::size_t>(cell)] = code;
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
  m_wallParent = from.m_wallParent;
  if (m_mark.size() != m_cells.size()) {
    m_mark.assign(m_cells.size(), 0);
    m_stamp = 0;
  }
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
  int root = cell;
  for (const int next : RingOf(cell)) {
    if (!IsWall(next, side) || parent[static_cast<std::size_t>(next)] < 0) continue;
    const int other = FindWall(next, side);
    if (other != root) {
      parent[static_cast<std::size_t>(other)] = static_cast<std::int16_t>(root);
    }
  }
}

// The new dot joins the pieces of wall around it (one per run of wall cells
// in its ring). Returns true when two of them were joined already: only then
// can the dot have closed a ring.
bool PlayoutBoard::JoinDot(int cell, Side side, const std::array<int, 8>& ring, int ringMask) {
  auto& parent = m_wallParent[static_cast<std::size_t>(Index(side))];
  parent[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(cell);
  bool joinedBefore = false;
  for (int i = 0; i < 8; ++i) {
    const bool wall = ((ringMask >> i) & 1) != 0;
    const bool previousWall = ((ringMask >> ((i + 7) & 7)) & 1) != 0;
    const bool firstOfPiece = ringMask == 0xFF ? i == 0 : !previousWall;
    if (!wall || !firstOfPiece) continue;
    // Every piece met so far now hangs under the new dot.
    const int root = FindWall(ring[static_cast<std::size_t>(i)], side);
    if (root == cell) {
      joinedBefore = true;
    } else {
      parent[static_cast<std::size_t>(root)] = static_cast<std::int16_t>(cell);
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
  m_cells[static_cast<std::size_t>(cell)] = engine::DotCode(side);
  TakeFree(cell);
  const std::array<int, 8> ring = RingOf(cell);
  const unsigned territory = TerritoryMask[static_cast<std::size_t>(Index(side))];
  int mask = 0;
  for (int i = 0; i < 8; ++i) {
    mask |= static_cast<int>((territory >> m_cells[static_cast<std::size_t>(ring[static_cast<std::size_t>(i)])]) & 1U) << i;
  }
  const bool joinedBefore = JoinDot(cell, side, ring, mask);
  const bool mayClose = joinedBefore && Ring.CutRuns[static_cast<std::size_t>(mask)] >= 2;
  const int taken = mayClose ? CaptureAround(cell, side, mask) : 0;
  if (m_rules == engine::Rules::Sport && taken == 0) TakePlayedInto(cell, engine::Opponent(side));
  return taken;
}

bool PlayoutBoard::HoldsLiveDot(const std::vector<std::int16_t>& region, Side capturer) const {
  const std::uint8_t live = engine::DotCode(engine::Opponent(capturer));
  for (const std::int16_t cell : region) {
    if (m_cells[static_cast<std::size_t>(cell)] == live) return true;
  }
  return false;
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
  if (m_stamp > 0xFFFFFFF0U) {
    m_mark.assign(m_mark.size(), 0);
    m_stamp = 0;
  }
  const std::uint32_t mark = ++m_stamp;
  Front& front = m_fronts[0];
  front.Cells.clear();
  front.Cells.push_back(static_cast<std::int16_t>(dot));
  m_mark[static_cast<std::size_t>(dot)] = mark;
  int wall = -1;
  for (std::size_t next = 0; next < front.Cells.size(); ++next) {
    for (const int near : Neighbours(front.Cells[next])) {
      if (IsBorder(near)) return 0;
      if (IsWall(near, capturer)) {
        wall = near;
        continue;
      }
      if (m_mark[static_cast<std::size_t>(near)] == mark) continue;
      m_mark[static_cast<std::size_t>(near)] = mark;
      front.Cells.push_back(static_cast<std::int16_t>(near));
    }
  }
  return Capture(front.Cells, capturer, wall, mark);
}

// The regions of non-wall cells next to the new dot, each filled from one
// orthogonal neighbour, one cell per region in turn. A region that reaches
// the frame is open; one whose fill runs out is enclosed; two fills that meet
// are one region. The region the dot was part of reached the frame before
// the move, so unless the dot itself lay next to the frame one of the parts
// is still open: when every other part is known, the last need not be filled.
int PlayoutBoard::CaptureAround(int dot, Side side, int mask) {
  const auto& runOf = Ring.RunOf[static_cast<std::size_t>(mask)];
  const std::array<int, 8> ring = RingOf(dot);
  std::array<bool, 4> runOpen{};
  for (int i = 0; i < 8; ++i) {
    const int run = runOf[static_cast<std::size_t>(i)];
    if (run >= 0 && IsBorder(ring[static_cast<std::size_t>(i)])) runOpen[static_cast<std::size_t>(run)] = true;
  }
  if (m_stamp > 0xFFFFFFF0U) {
    m_mark.assign(m_mark.size(), 0);
    m_stamp = 0;
  }
  const std::uint32_t base = m_stamp + 1;
  m_stamp += 4;
  bool dotAtFrame = false;
  bool openFound = false;
  int fronts = 0;
  std::array<int, 4> frontOfRun = {-1, -1, -1, -1};
  for (const int o : OrthogonalPlaces) {
    const int start = ring[static_cast<std::size_t>(o)];
    if (IsBorder(start)) dotAtFrame = true;
    const int run = runOf[static_cast<std::size_t>(o)];
    if (run < 0 || IsBorder(start)) continue;
    if (runOpen[static_cast<std::size_t>(run)]) {
      openFound = true;
      continue;
    }
    if (frontOfRun[static_cast<std::size_t>(run)] >= 0) continue;
    Front& front = m_fronts[static_cast<std::size_t>(fronts)];
    front.Cells.clear();
    front.Cells.push_back(static_cast<std::int16_t>(start));
    front.Next = 0;
    front.State = Running;
    front.Alias = fronts;
    m_mark[static_cast<std::size_t>(start)] = base + static_cast<std::uint32_t>(fronts);
    frontOfRun[static_cast<std::size_t>(run)] = fronts++;
  }
  const auto root = [this](int f) {
    while (m_fronts[static_cast<std::size_t>(f)].Alias != f) f = m_fronts[static_cast<std::size_t>(f)].Alias;
    return f;
  };
  int running = fronts;
  while (running > 0 && (dotAtFrame || openFound || running > 1)) {
    for (int i = 0; i < fronts; ++i) {
      Front& front = m_fronts[static_cast<std::size_t>(i)];
      if (front.State != Running) continue;
      if (front.Next == front.Cells.size()) {
        front.State = Enclosed;
        --running;
        continue;
      }
      const int cell = front.Cells[front.Next++];
      for (const int next : Neighbours(cell)) {
        if (IsBorder(next)) {
          front.State = Open;
          break;
        }
        if (IsWall(next, side)) continue;
        const std::uint32_t mark = m_mark[static_cast<std::size_t>(next)];
        const std::uint32_t own = base + static_cast<std::uint32_t>(i);
        if (mark == own) continue;
        if (mark >= base && mark < base + static_cast<std::uint32_t>(fronts)) {
          const int other = root(static_cast<int>(mark - base));
          if (other != i) {
            if (m_fronts[static_cast<std::size_t>(other)].State == Open) {
              front.State = Open;
            } else {
              front.State = Merged;
              front.Alias = other;
            }
            break;
          }
        }
        m_mark[static_cast<std::size_t>(next)] = own;
        front.Cells.push_back(static_cast<std::int16_t>(next));
      }
      if (front.State != Running) {
        --running;
        if (front.State == Open) openFound = true;
      }
    }
  }
  int captured = 0;
  for (int i = 0; i < fronts; ++i) {
    const Front& front = m_fronts[static_cast<std::size_t>(i)];
    if (front.State != Enclosed) continue;
    if (m_rules == engine::Rules::Sport && !HoldsLiveDot(front.Cells, side)) continue;
    captured += Capture(front.Cells, side, dot, base + static_cast<std::uint32_t>(i));
  }
  return captured;
}

// The region's cells change hands as in a capture scan; returns the dots of
// the other side it took. The region becomes wall of the piece whose ring
// closed it (the piece of `dot`, a wall cell of that ring); a piece of wall
// standing inside it joins that piece too.
int PlayoutBoard::Capture(const std::vector<std::int16_t>& region, Side side, int dot, std::uint32_t regionMark) {
  const bool own = side == Side::Own;
  int taken = 0;
  for (const std::int16_t cell : region) {
    std::uint8_t& code = m_cells[static_cast<std::size_t>(cell)];
    switch (code) {
      case engine::csFree:
        TakeFree(cell);
        code = own ? engine::csOwnArea : engine::csRivalArea;
        break;
      case engine::csRival:
      case engine::csOwn:
        code = own ? engine::csRivalCaptured : engine::csOwnCaptured;
        ++m_score[Index(side)];
        ++taken;
        break;
      case engine::csOwnCaptured:
      case engine::csRivalCaptured:
        code = own ? engine::csOwn : engine::csRival;
        --m_score[Index(engine::Opponent(side))];
        break;
      default:
        code = own ? engine::csOwnArea : engine::csRivalArea;
        break;
    }
  }
  auto& parent = m_wallParent[static_cast<std::size_t>(Index(side))];
  const int ring = FindWall(dot, side);
  for (const std::int16_t cell : region) parent[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(ring);
  for (const std::int16_t cell : region) {
    for (const int next : Neighbours(cell)) {
      if (m_mark[static_cast<std::size_t>(next)] == regionMark || !IsWall(next, side)) continue;
      const int other = FindWall(next, side);
      if (other != ring) parent[static_cast<std::size_t>(other)] = static_cast<std::int16_t>(ring);
    }
  }
  return taken;
}

}  // namespace solvar::ai
