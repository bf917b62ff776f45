#include <gtest/gtest.h>

#include <set>

#include "engine/random.h"

namespace solvar::engine {
namespace {

TEST(Random, FixedSeedReplaysTheSameSequenceThroughReseeds) {
  Random a(42);
  Random b(42);
  for (int i = 0; i < 100; ++i) {
    a.Reseed();
    b.Reseed();
    ASSERT_EQ(a.NextBelow(1000), b.NextBelow(1000));
    ASSERT_EQ(a.NextReal(), b.NextReal());
  }
}

TEST(Random, DrawsStayInRangeAndReachEveryValue) {
  Random random(7);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    const int v = random.NextBelow(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
    seen.insert(v);
    const double r = random.NextReal();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_EQ(random.NextBelow(0), 0);
}

}  // namespace
}  // namespace solvar::engine
