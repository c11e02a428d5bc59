#include "random/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

TEST(RandomTest, SequenceFromSeedOneAndReseeding) {
  SeedRandom(1);
  const uint32_t expected[] = {41, 18467, 6334, 26500, 19169};
  for (uint32_t value : expected) EXPECT_EQ(value, NextRandom());

  // Only the low 32 bits of the seed count.
  SeedRandom(0x100000001ull);
  EXPECT_EQ(41u, NextRandom());
  SeedRandom(1767225600);
  uint32_t first = NextRandom();
  SeedRandom(1767225600);
  EXPECT_EQ(first, NextRandom());
}

TEST(RandomTest, RangeUsesUnsignedArithmetic) {
  SeedRandom(1);
  EXPECT_EQ(1u + 41u % 3u, RandomRange(1, 3));  // 41 % 3 = 2
  EXPECT_EQ(0u + 18467u % 1000u, RandomRange(0, 999));
  EXPECT_EQ(5u, RandomRange(5, 5));  // a span of one
  // lo above hi wraps the span: 10 - 20 + 1 = 2^32 - 9, larger than any draw.
  EXPECT_EQ(20u + 26500u, RandomRange(20, 10));
  // The top of the range is reachable only up to lo + 32767.
  EXPECT_EQ(19169u, RandomRange(0, 0xFFFFFFFEu));
}

TEST(RandomTest, FractionIsWholeThousandthsBelowOne) {
  SeedRandom(7);
  for (int i = 0; i < 10000; ++i) {
    double w = RandomFraction();
    ASSERT_GE(w, 0.0);
    ASSERT_LT(w, 1.0);
    double thousandths = w * 1000.0;
    ASSERT_NEAR(thousandths,
                static_cast<double>(static_cast<int>(thousandths + 0.5)), 1e-9);
  }
  SeedRandom(1);
  EXPECT_EQ(41 * 0.001, RandomFraction());
}

// The bound the annealer relies on to know which identifiers and positions a
// draw can produce: every draw stays within it, and draws reach it.
TEST(RandomTest, LargestInRangeIsTheLargestDraw) {
  const std::pair<uint32_t, uint32_t> ranges[] = {
      {0, 0}, {1, 10}, {0, 32767}, {1, 32768}, {0, 32799}, {1, 40000}};
  for (auto [lo, hi] : ranges) {
    SeedRandom(3);
    uint32_t largest = 0;
    // The generator's period covers every 15-bit output many times over.
    for (int i = 0; i < 1 << 20; ++i) {
      largest = std::max(largest, RandomRange(lo, hi));
    }
    EXPECT_EQ(largest, LargestInRange(lo, hi)) << lo << ".." << hi;
  }
  EXPECT_EQ(32768u, LargestInRange(1, 40000));
  EXPECT_EQ(10u, LargestInRange(1, 10));
}
