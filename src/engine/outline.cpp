#include "engine/outline.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace solvar::engine {

namespace {

bool Touches(Node a, Node b) { return std::abs(a.X - b.X) <= 1 && std::abs(a.Y - b.Y) <= 1; }

void ChainVertices(std::vector<Node>& vertices) {
  const int n = static_cast<int>(vertices.size());
  for (int i = 0; i + 3 <= n; ++i) {
    for (int j = i + 2; j < n; ++j) {
      if (Touches(vertices[j], vertices[i])) {
        std::swap(vertices[i + 1], vertices[j]);
        break;
      }
    }
  }
}

// The cells of a region, looked up by node.
class CellSet {
 public:
  explicit CellSet(const CellList& cells) {
    for (const CellLink& cell : cells) m_has[Index(cell.X, cell.Y)] = true;
  }
  bool Has(int x, int y) const { return Board::Holds(x, y) && m_has[Index(x, y)]; }

 private:
  static std::size_t Index(int x, int y) { return static_cast<std::size_t>(x * BoardRows + y); }
  std::array<bool, BoardColumns * BoardRows> m_has{};
};

// Up, right, down, left: clockwise on the screen (y grows downwards).
constexpr std::array<Node, 4> Directions = {Node{0, -1}, Node{1, 0}, Node{0, 1}, Node{-1, 0}};

long long Cross(Node o, Node a, Node b) {
  return static_cast<long long>(a.X - o.X) * (b.Y - o.Y) - static_cast<long long>(a.Y - o.Y) * (b.X - o.X);
}

int Sign(long long value) { return (value > 0) - (value < 0); }

bool OnSegment(Node p, Node a, Node b) {
  return Cross(a, b, p) == 0 && std::min(a.X, b.X) <= p.X && p.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= p.Y &&
         p.Y <= std::max(a.Y, b.Y);
}

// Whether p lies on segment ab other than at its ends.
bool InsideSegment(Node p, Node a, Node b) { return OnSegment(p, a, b) && !(p == a) && !(p == b); }

// Whether two edges cross, overlap, or one runs through the other's vertex;
// edges that only share an end point (a dot the ring passes twice) do not.
bool SegmentsMeet(Node a, Node b, Node c, Node d) {
  const int d1 = Sign(Cross(c, d, a));
  const int d2 = Sign(Cross(c, d, b));
  const int d3 = Sign(Cross(a, b, c));
  const int d4 = Sign(Cross(a, b, d));
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  return InsideSegment(a, c, d) || InsideSegment(b, c, d) || InsideSegment(c, a, b) || InsideSegment(d, a, b);
}

enum class Place { Inside, Outside, OnEdge };

Place PlaceOf(Node p, const std::vector<Node>& polygon) {
  bool inside = false;
  const std::size_t n = polygon.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Node a = polygon[i];
    const Node b = polygon[j];
    if (OnSegment(p, a, b)) return Place::OnEdge;
    if ((a.Y > p.Y) != (b.Y > p.Y)) {
      // The edge crosses the horizontal through p: on which side of p?
      const long long side = Cross(a, b, p);
      if ((side > 0) == (b.Y > a.Y)) inside = !inside;
    }
  }
  return inside ? Place::Inside : Place::Outside;
}

// Whether the chain covers just what the traced ring covers: the same node
// centres inside (the ring's own dots may fall either way), none lying on
// one of the chain's edges.
bool CoversTheSame(const std::vector<Node>& chain, const std::vector<Node>& ring) {
  int left = BoardColumns, top = BoardRows, right = -1, bottom = -1;
  for (const Node v : ring) {
    left = std::min(left, v.X);
    top = std::min(top, v.Y);
    right = std::max(right, v.X);
    bottom = std::max(bottom, v.Y);
  }
  for (const Node v : chain) {
    if (v.X < left || v.X > right || v.Y < top || v.Y > bottom) return false;
  }
  for (int x = left; x <= right; ++x) {
    for (int y = top; y <= bottom; ++y) {
      const Node p{x, y};
      if (std::find(chain.begin(), chain.end(), p) != chain.end()) continue;
      const Place inChain = PlaceOf(p, chain);
      if (inChain == Place::OnEdge) return false;
      const Place inRing = PlaceOf(p, ring);
      if (inRing == Place::OnEdge) continue;  // a dot of the ring itself: covered or not
      if ((inChain == Place::Inside) != (inRing == Place::Inside)) return false;
    }
  }
  return true;
}

}  // namespace

std::vector<Node> BuildOutline(const CellList& boundaryList) {
  std::vector<Node> vertices;
  vertices.reserve(boundaryList.size());
  for (auto it = boundaryList.rbegin(); it != boundaryList.rend(); ++it) {
    if (it->Hits <= 2) vertices.push_back(Node{it->X, it->Y});
  }
  ChainVertices(vertices);
  return vertices;
}

// Follows the edge of the region's cells (taken as squares round their
// nodes) with the region on the right, and lists the cell outside each unit
// of edge: at a straight stretch the next dot along, at an outer corner the
// diagonal one, at an inner corner the same dot again (listed once).
std::vector<Node> TraceRing(const CellList& region) {
  std::vector<Node> ring;
  if (region.empty()) return ring;
  const CellSet cells(region);
  Node start{region.front().X, region.front().Y};
  for (const CellLink& cell : region) {
    if (cell.X < start.X || (cell.X == start.X && cell.Y < start.Y)) start = Node{cell.X, cell.Y};
  }
  const auto plus = [](Node a, Node b) { return Node{a.X + b.X, a.Y + b.Y}; };
  Node at = start;
  int outward = 3;  // the outside is on the left of the first cell
  const std::size_t limit = 8 * region.size() + 8;
  for (std::size_t step = 0; step < limit; ++step) {
    const Node outside = plus(at, Directions[static_cast<std::size_t>(outward)]);
    if (ring.empty() || !(ring.back() == outside)) ring.push_back(outside);
    const int along = (outward + 1) % 4;
    const Node ahead = plus(at, Directions[static_cast<std::size_t>(along)]);
    const Node aheadOut = plus(ahead, Directions[static_cast<std::size_t>(outward)]);
    if (!cells.Has(ahead.X, ahead.Y)) {
      outward = along;  // outer corner: round the same cell
    } else if (cells.Has(aheadOut.X, aheadOut.Y)) {
      at = aheadOut;  // inner corner: on along the next cell's side
      outward = (outward + 3) % 4;
    } else {
      at = ahead;  // straight on
    }
    if (at == start && outward == 3) break;
  }
  if (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
  return ring;
}

bool IsSimplePolygon(const std::vector<Node>& vertices) {
  const std::size_t n = vertices.size();
  if (n < 4) return true;
  for (std::size_t i = 0; i < n; ++i) {
    const Node a = vertices[i];
    const Node b = vertices[(i + 1) % n];
    if (a == b) return false;
    for (std::size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // the closing edge meets the first at vertex 0
      if (SegmentsMeet(a, b, vertices[j], vertices[(j + 1) % n])) return false;
    }
  }
  return true;
}

CellList CellsInsideRing(const std::vector<Node>& ring, const Board& board) {
  CellList inside;
  if (ring.size() < 3) return inside;
  for (int x = 1; x < board.FieldWidth(); ++x) {
    for (int y = 1; y < board.FieldHeight(); ++y) {
      if (PlaceOf(Node{x, y}, ring) == Place::Inside) {
        inside.push_back(CellLink{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0});
      }
    }
  }
  return inside;
}

std::vector<Node> CaptureOutline(const CellList& boundaryList, const CellList& region) {
  std::vector<Node> chain = BuildOutline(boundaryList);
  std::vector<Node> ring = TraceRing(region);
  if (chain.size() >= 3 && IsSimplePolygon(chain) && CoversTheSame(chain, ring)) return chain;
  return ring;
}

}  // namespace solvar::engine
