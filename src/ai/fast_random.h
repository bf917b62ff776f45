#pragma once
// The random games' own generator (xorshift64*): plenty for choosing moves,
// and cheap. Each search thread has one, seeded from the search's seed.

#include <cstdint>

namespace solvar::ai {

class FastRandom {
 public:
  explicit FastRandom(std::uint64_t seed) : m_state((seed ^ 0x2545F4914F6CDD1DULL) * 0x9E3779B97F4A7C15ULL | 1U) {}
  std::uint64_t Next() {
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 0x2545F4914F6CDD1DULL;
  }
  // Uniform in 0..n-1.
  int Below(int n) { return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32); }

 private:
  std::uint64_t m_state;
};

}  // namespace solvar::ai
