#include "engine/outline.h"

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

}  // namespace solvar::engine
