#pragma once
// The one pseudo-random source of the program. Seeded from the clock, or from
// a fixed seed so that a test or a bug report can replay a whole run.

#include <cstdint>
#include <optional>

namespace solvar::engine {

class Random {
 public:
  Random();                                  // clock-seeded
  explicit Random(std::uint64_t fixedSeed);  // repeatable

  // Starts a fresh sequence from the clock. With a fixed seed the sequence
  // simply goes on, so every draw of a run stays repeatable.
  void Reseed();
  // From now on every draw and every re-seed follows the sequence of seed.
  void FixSeed(std::uint64_t seed);
  bool HasFixedSeed() const { return m_fixed; }

  double NextReal();        // uniform in [0, 1)
  int NextBelow(int bound);  // uniform in 0..bound-1; 0 when bound <= 0
  // 64 random bits, to seed another generator from this one.
  std::uint64_t NextSeed() { return NextBits(); }

 private:
  std::uint64_t NextBits();
  std::uint64_t ClockSeed();

  std::uint64_t m_state = 0;
  bool m_fixed = false;
  // Clock seeds taken so far, so that two re-seeds within one clock tick,
  // or two sources made within one, still differ.
  std::uint64_t m_clockSeeds = 0;
};

}  // namespace solvar::engine
