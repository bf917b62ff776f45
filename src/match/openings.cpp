#include "match/openings.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/random.h"

namespace solvar::match {

namespace {

using engine::Node;
using engine::Side;

constexpr int EdgeRoom = 3;     // nodes between a random cross and the edge
constexpr int CrossesApart = 4;  // least distance between two random crosses (their top-left corners)
constexpr int RandomCrossCount = 4;

struct Corner {
  int X = 0;  // column of the cross's top-left dot, from 0
  int Y = 0;
};

// A cross from its top-left corner: side 1 on the main diagonal, or on the
// other one when mirrored.
void AddCross(std::vector<PlayedMove>& dots, Corner at, bool mirrored) {
  const Node topLeft{at.X + 1, at.Y + 1};
  const Node topRight{at.X + 2, at.Y + 1};
  const Node bottomLeft{at.X + 1, at.Y + 2};
  const Node bottomRight{at.X + 2, at.Y + 2};
  const Side first = mirrored ? Side::Rival : Side::Own;
  const Side second = engine::Opponent(first);
  dots.push_back(PlayedMove{first, topLeft});
  dots.push_back(PlayedMove{first, bottomRight});
  dots.push_back(PlayedMove{second, topRight});
  dots.push_back(PlayedMove{second, bottomLeft});
}

std::vector<Corner> RandomCorners(int columns, int rows, std::uint64_t seed) {
  engine::Random draws(seed);
  const int spanX = columns - 1 - 2 * EdgeRoom;
  const int spanY = rows - 1 - 2 * EdgeRoom;
  std::vector<Corner> corners;
  for (int tries = 0; corners.size() < RandomCrossCount && tries < 10000 && spanX > 0 && spanY > 0; ++tries) {
    const Corner corner{EdgeRoom + draws.NextBelow(spanX), EdgeRoom + draws.NextBelow(spanY)};
    const bool apart = std::all_of(corners.begin(), corners.end(), [corner](const Corner& other) {
      return std::max(std::abs(other.X - corner.X), std::abs(other.Y - corner.Y)) >= CrossesApart;
    });
    if (apart) corners.push_back(corner);
  }
  return corners;
}

}  // namespace

std::vector<PlayedMove> OpeningDots(Opening opening, int fieldWidth, int fieldHeight, std::uint64_t seed) {
  const int columns = fieldWidth - 1;
  const int rows = fieldHeight - 1;
  const Corner middle{(columns - 1) / 2, (rows - 1) / 2};
  std::vector<PlayedMove> dots;
  switch (opening) {
    case Opening::Empty: break;
    case Opening::Cross: AddCross(dots, middle, false); break;
    case Opening::TwoCrosses:
      AddCross(dots, Corner{middle.X - 1, middle.Y}, false);
      AddCross(dots, Corner{middle.X + 1, middle.Y}, true);
      break;
    case Opening::FourCrosses: {
      const int apart = std::max(3, std::min(columns, rows) / 5);
      for (const Corner corner : {Corner{middle.X - apart, middle.Y - apart}, Corner{middle.X + apart, middle.Y - apart},
                                  Corner{middle.X - apart, middle.Y + apart}, Corner{middle.X + apart, middle.Y + apart}}) {
        AddCross(dots, corner, false);
      }
      break;
    }
    case Opening::RandomCrosses:
      for (const Corner corner : RandomCorners(columns, rows, seed)) AddCross(dots, corner, false);
      break;
  }
  return dots;
}

std::string_view OpeningWord(Opening opening) {
  switch (opening) {
    case Opening::Empty: return "empty";
    case Opening::Cross: return "cross";
    case Opening::TwoCrosses: return "two";
    case Opening::FourCrosses: return "four";
    case Opening::RandomCrosses: return "random";
  }
  return "empty";
}

std::optional<Opening> OpeningOfWord(std::string_view word) {
  for (const Opening opening : {Opening::Empty, Opening::Cross, Opening::TwoCrosses, Opening::FourCrosses, Opening::RandomCrosses}) {
    if (word == OpeningWord(opening)) return opening;
  }
  return std::nullopt;
}

}  // namespace solvar::match
