#include "random/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

TEST(RandomTest, SequenceFromSeedOneAndReseeding) {
  RandomSource random;  // state 1 until seeded
  const uint32_t expected[] = {41, 18467, 6334, 26500, 19169};
  for (uint32_t value : expected) EXPECT_EQ(value, random.NextRandom());

  // Only the low 32 bits of the seed count.
  random.SeedRandom(0x100000001ull);
  EXPECT_EQ(41u, random.NextRandom());
  random.SeedRandom(1767225600);
  uint32_t first = random.NextRandom();
  random.SeedRandom(1767225600);
  EXPECT_EQ(first, random.NextRandom());
}

// Two sources never share state: draws from one leave the other's sequence
// as it would be alone.
TEST(RandomTest, SourcesAreIndependent) {
  RandomSource alone(1767225600);
  uint32_t expected[4];
  for (uint32_t& value : expected) value = alone.NextRandom();
  RandomSource first(1767225600);
  RandomSource second(1767225600);
  for (uint32_t value : expected) {
    second.NextRandom();
    second.NextRandom();
    EXPECT_EQ(value, first.NextRandom());
  }
}

TEST(RandomTest, RangeUsesUnsignedArithmetic) {
  RandomSource random;
  random.SeedRandom(1);
  EXPECT_EQ(1u + 41u % 3u, random.RandomRange(1, 3));  // 41 % 3 = 2
  EXPECT_EQ(0u + 18467u % 1000u, random.RandomRange(0, 999));
  EXPECT_EQ(5u, random.RandomRange(5, 5));  // a span of one
  // lo above hi wraps the span: 10 - 20 + 1 = 2^32 - 9, larger than any draw.
  EXPECT_EQ(20u + 26500u, random.RandomRange(20, 10));
  // The top of the range is reachable only up to lo + 32767.
  EXPECT_EQ(19169u, random.RandomRange(0, 0xFFFFFFFEu));
}

TEST(RandomTest, FractionIsWholeThousandthsBelowOne) {
  RandomSource random;
  random.SeedRandom(7);
  for (int i = 0; i < 10000; ++i) {
    double w = random.RandomFraction();
    ASSERT_GE(w, 0.0);
    ASSERT_LT(w, 1.0);
    double thousandths = w * 1000.0;
    ASSERT_NEAR(thousandths,
                static_cast<double>(static_cast<int>(thousandths + 0.5)), 1e-9);
  }
  random.SeedRandom(1);
  EXPECT_EQ(41 * 0.001, random.RandomFraction());
}

// The bound the annealer relies on to know which identifiers and positions a
// draw can produce: every draw stays within it, and draws reach it.
TEST(RandomTest, LargestInRangeIsTheLargestDraw) {
  const std::pair<uint32_t, uint32_t> ranges[] = {
      {0, 0}, {1, 10}, {0, 32767}, {1, 32768}, {0, 32799}, {1, 40000}};
  for (auto [lo, hi] : ranges) {
    RandomSource random;
    random.SeedRandom(3);
    uint32_t largest = 0;
    // The generator's period covers every 15-bit output many times over.
    for (int i = 0; i < 1 << 20; ++i) {
      largest = std::max(largest, random.RandomRange(lo, hi));
    }
    EXPECT_EQ(largest, LargestInRange(lo, hi)) << lo << ".." << hi;
  }
  EXPECT_EQ(32768u, LargestInRange(1, 40000));
  EXPECT_EQ(10u, LargestInRange(1, 10));
}
