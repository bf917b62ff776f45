#include "engine/random.h"

#include <chrono>

namespace solvar::engine {

std::uint64_t Random::ClockSeed() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  const auto self = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(this));
  return static_cast<std::uint64_t>(ticks) ^ (++m_clockSeeds * 0x9E3779B97F4A7C15ULL) ^ (self << 17);
}

Random::Random() : m_state(ClockSeed()) {}

Random::Random(std::uint64_t fixedSeed) : m_state(fixedSeed), m_fixed(true) {}

void Random::Reseed() {
  if (!m_fixed) m_state = ClockSeed();
}

void Random::FixSeed(std::uint64_t seed) {
  m_state = seed;
  m_fixed = true;
}

// splitmix64: small, fast and good enough for a game's draws.
std::uint64_t Random::NextBits() {
  std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double Random::NextReal() { return static_cast<double>(NextBits() >> 11) * 0x1.0p-53; }

int Random::NextBelow(int bound) {
  if (bound <= 0) return 0;
  const int value = static_cast<int>(NextReal() * bound);
  return value < bound ? value : bound - 1;
}

}  // namespace solvar::engine
