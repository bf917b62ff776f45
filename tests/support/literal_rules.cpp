#include "support/literal_rules.h"

#include <algorithm>
#include <list>

#include "engine/outline.h"

namespace solvar::test {

using engine::Board;
using engine::Node;
using engine::Side;

namespace {

// A byte map with a one-cell margin of frame all round.
struct Map {
  explicit Map(int fill) { cells.assign(static_cast<std::size_t>(48 * 38), fill); }
  int& operator()(int x, int y) { return cells[static_cast<std::size_t>((x + 1) * 38 + y + 1)]; }
  std::vector<int> cells;
};

const Node kOrder[4] = {{-1, 0}, {0, -1}, {0, 1}, {1, 0}};

struct CaptureFill {
  explicit CaptureFill(Board& b) : board(b) {}
  Board& board;
  Map map{3};
  int mark = 3;
  std::list<engine::CellLink> region, boundary;
  int dots = 0;

  bool Fill(int x, int y) {
    if (engine::HoldsDot(board.At(x, y))) ++dots;
    map(x, y) = mark;
    region.push_front({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0});
    for (const Node d : kOrder) {
      const int nx = x + d.X, ny = y + d.Y;
      const int code = map(nx, ny);
      if (code == 1) {
        auto it = std::find_if(boundary.begin(), boundary.end(),
                               [&](const auto& c) { return c.X == nx && c.Y == ny; });
        if (it != boundary.end()) ++it->Hits;
        else boundary.push_front({static_cast<std::uint8_t>(nx), static_cast<std::uint8_t>(ny), 0});
      } else if (code == 3) {
        return false;
      } else if (code == 2) {
        if (!Fill(nx, ny)) return false;
      } else if (code != mark) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace

std::vector<LiteralCapture> LiteralScanCaptures(Board& board, Side side) {
  CaptureFill scan(board);
  for (int x = 0; x <= board.FieldWidth(); ++x)
    for (int y = 0; y <= board.FieldHeight(); ++y) {
      const auto code = board.At(x, y);
      scan.map(x, y) = code == engine::csBorder ? 3 : engine::IsTerritoryOf(code, side) ? 1 : 2;
    }
  std::vector<LiteralCapture> captures;
  for (int x = 0; x <= board.FieldWidth(); ++x)
    for (int y = 0; y <= board.FieldHeight(); ++y) {
      if (scan.map(x, y) != 2) continue;
      scan.region.clear();
      scan.boundary.clear();
      scan.dots = 0;
      ++scan.mark;
      if (!scan.Fill(x, y)) continue;
      engine::CellList region(scan.region.rbegin(), scan.region.rend());
      engine::CellList boundary(scan.boundary.rbegin(), scan.boundary.rend());
      engine::ApplyCapture(board, region, side);
      // The outline from the literal fill's own lists (which the fast scan
      // must reproduce exactly for the outline to come out the same).
      captures.push_back({scan.dots, engine::CaptureOutline(boundary, region)});
    }
  return captures;
}

namespace {

struct Cand {
  int X, Y;
  std::int8_t Weight;
  int Level;
};

struct ThreatFill {
  Map map{3};
  int mark = 3;
  int freeCount = 0;
  std::list<Cand> region;

  bool Find(int x, int y) const {
    return std::any_of(region.begin(), region.end(), [&](const Cand& c) { return c.X == x && c.Y == y; });
  }

  int Crowding(int x, int y) {
    int score = 0;
    for (const Node d : kOrder) {
      const int code = map(x + d.X, y + d.Y);
      if (code == 2 || code >= 4) ++score;
      else if (code == 1 || code == 3) --score;
    }
    for (const int dx : {-1, 1})
      for (const int dy : {-1, 1})
        if (map(x + dx, y + dy) != 0) --score;
    return score;
  }

  bool Fill(int x, int y) {
    map(x, y) = mark;
    for (const Node d : kOrder) {
      const int nx = x + d.X, ny = y + d.Y;
      const int code = map(nx, ny);
      if (code == 0) {
        if (!Find(nx, ny)) {
          ++freeCount;
          region.push_front({nx, ny, Crowding(nx, ny) >= 3 ? ai::PocketWeight : ai::OpenWeight, 0});
        }
      } else if (code == 1) {
        if (!Find(nx, ny)) region.push_front({nx, ny, ai::WallWeight, 0});
      } else if (code == 3) {
        return false;
      } else if (code == 2) {
        if (!Fill(nx, ny)) return false;
      } else if (code != mark) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace

ai::ThreatResult LiteralEvaluateThreat(const Board& board, Side encloser, bool* anyQualified) {
  ThreatFill eval;
  for (int x = 0; x <= board.FieldWidth(); ++x)
    for (int y = 0; y <= board.FieldHeight(); ++y) {
      const auto code = board.At(x, y);
      eval.map(x, y) = code == engine::csFree     ? 0
                       : code == engine::csBorder ? 3
                       : engine::IsTerritoryOf(code, encloser) ? 1
                                                               : 2;
    }
  std::list<Cand> merged;
  int best = 255;
  bool found = false;
  for (int x = 0; x <= board.FieldWidth(); ++x)
    for (int y = 0; y <= board.FieldHeight(); ++y) {
      if (eval.map(x, y) != 2) continue;
      eval.region.clear();
      eval.freeCount = 0;
      ++eval.mark;
      if (!eval.Fill(x, y)) continue;
      for (Cand& p : eval.region)
        for (Cand& q : merged)
          if (p.X == q.X && p.Y == q.Y && p.Weight > 0 && q.Weight > 0)
            p.Weight = q.Weight = static_cast<std::int8_t>(p.Weight + q.Weight);
      const int level = std::min(eval.freeCount, 254);
      for (Cand& p : eval.region) p.Level = level;
      for (const Cand& p : eval.region) merged.push_front(p);
      best = std::min(best, level);
      found = true;
    }
  if (!found) return ai::ThreatResult{};
  Node taken{merged.front().X, merged.front().Y};
  int running = 0;
  bool qualified = false;
  for (const Cand& q : merged) {
    if (q.Level != best) continue;
    if (q.Weight > running) {
      taken = {q.X, q.Y};
      running = q.Weight;
      qualified = true;
    } else if (q.Weight == ai::PocketWeight && best == 1) {
      taken = {q.X, q.Y};
      running = 0;
      qualified = true;
    }
  }
  if (anyQualified != nullptr) *anyQualified = qualified;
  return ai::ThreatResult{best, taken.X, taken.Y};
}

}  // namespace solvar::test
