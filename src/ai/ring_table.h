#pragma once
// The eight cells round a dot and how its side's walls among them split the
// rest, for the random games' board.

#include <array>
#include <cstdint>

namespace solvar::ai {

// The eight cells around a dot, in ring order: N, NE, E, SE, S, SW, W, NW.
// The orthogonal ones are at 0, 2, 4 and 6.
inline constexpr std::array<int, 4> OrthogonalPlaces = {0, 2, 4, 6};

// For each pattern of walls among the eight cells around a dot (bit i set
// when ring cell i is a wall), the run of non-wall ring cells each cell
// belongs to (-1 for a wall), and how many runs hold an orthogonal cell. A
// new dot can only have cut a region in two when two or more such runs
// exist: otherwise its orthogonal neighbours still join up around it.
//
// OtherRuns[mask][place]: for a node whose ring cell `place` is a wall, the
// first cell of every other run of wall in the ring (at most three), when
// the ring is cut in two or more (else none): a dot at `place` closes a new
// ring through the node when one of them is joined to it.
struct OtherRunsOf {
  std::array<std::int8_t, 3> First{};
  std::uint8_t Count = 0;
};

// WallRuns[mask]: the first cell of each run of wall in the ring (at most
// four; a ring of walls all round is one run from cell 0).
struct WallRunsOf {
  std::array<std::int8_t, 4> First{};
  std::uint8_t Count = 0;
};

struct RingTable {
  std::array<std::array<std::int8_t, 8>, 256> RunOf{};
  std::array<std::uint8_t, 256> CutRuns{};
  std::array<std::array<OtherRunsOf, 8>, 256> OtherRuns{};
  std::array<WallRunsOf, 256> WallRuns{};

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
      WallRunsOf& wallRuns = WallRuns[static_cast<std::size_t>(mask)];
      for (int i = 0; i < 8; ++i) {
        const bool firstOfRun = mask == 0xFF ? i == 0 : wall(i) && !wall(i - 1 + 8);
        if (firstOfRun) wallRuns.First[wallRuns.Count++] = static_cast<std::int8_t>(i);
      }
      for (int place = 0; place < 8 && cut >= 2; ++place) {
        if (!wall(place)) continue;
        // The run of wall holding `place` runs from `low` to `high`.
        int low = place;
        while (wall(low - 1 + 8) && ((low - 1 + 8) % 8) != place) low = (low - 1 + 8) % 8;
        OtherRunsOf& others = OtherRuns[static_cast<std::size_t>(mask)][static_cast<std::size_t>(place)];
        for (int k = 0; k < 8; ++k) {
          const int i = (low + k) % 8;
          const bool firstOfRun = wall(i) && !wall(i - 1 + 8);
          if (!firstOfRun || i == low || others.Count >= 3) continue;
          others.First[others.Count++] = static_cast<std::int8_t>(i);
        }
      }
    }
  }
};

inline constexpr RingTable Ring;

}  // namespace solvar::ai
