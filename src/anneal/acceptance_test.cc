#include "anneal/acceptance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(AcceptanceTest, ExtendedPrecisionKeepsTinyExponentialsAboveZero) {
  // At T = 1 a candidate 800 above the current cost has exp(-800), about
  // 1e-348: zero in double precision, above zero in extended precision.
  ASSERT_EQ(0.0, std::exp(-800.0))
      << "exp(-800) is not 0 in double here, so the checks below cannot "
         "tell extended precision from double";
  EXPECT_TRUE(AcceptsUphill(1000, 1800, 1.0, 0.0));
  EXPECT_FALSE(AcceptsUphill(1000, 1800, 1.0, 0.001));
  EXPECT_FALSE(AcceptsUphill(1000, 1800, 1.0, 0.999));
  // exp(-11355) is about 1e-4932, still a subnormal of the extended format;
  // exp(-12000) falls below half its smallest subnormal and becomes 0.
  EXPECT_TRUE(AcceptsUphill(0, 11355, 1.0, 0.0));
  EXPECT_FALSE(AcceptsUphill(0, 12000, 1.0, 0.0));
}

TEST(AcceptanceTest, ThresholdFollowsTheQuotient) {
  // exp(-1) = 0.3679: draws below accept, draws above reject.
  EXPECT_TRUE(AcceptsUphill(100, 110, 10.0, 0.367));
  EXPECT_FALSE(AcceptsUphill(100, 110, 10.0, 0.368));
  // Equal costs at a non-zero temperature give exp(0) = 1 > every draw.
  EXPECT_TRUE(AcceptsUphill(500, 500, 1e-300, 0.999));
  EXPECT_TRUE(AcceptsUphill(500, 500, -3.0, 0.999));
  // Costs beyond 32 bits divide exactly.
  EXPECT_TRUE(
      AcceptsUphill(int64_t{1} << 40, (int64_t{1} << 40) + 10, 10.0, 0.367));
  EXPECT_FALSE(
      AcceptsUphill(int64_t{1} << 40, (int64_t{1} << 40) + 10, 10.0, 0.368));
}

TEST(AcceptanceTest, FarUphillStillComparesSmallDraws) {
  // exp(-9) = 0.000123: only draws below it accept, however far uphill.
  EXPECT_TRUE(AcceptsUphill(0, 9, 1.0, 0.0001));
  EXPECT_TRUE(AcceptsUphill(0, 9, 1.0, 0.000123));
  EXPECT_FALSE(AcceptsUphill(0, 9, 1.0, 0.000124));
  EXPECT_FALSE(AcceptsUphill(0, 9, 1.0, 0.001));
  // exp(-8) = 0.00033546 and exp(-7.9) = 0.00037074 on either side of the
  // draws that no longer need the exponential.
  EXPECT_TRUE(AcceptsUphill(0, 8, 1.0, 0.000335));
  EXPECT_FALSE(AcceptsUphill(0, 8, 1.0, 0.000336));
  EXPECT_TRUE(AcceptsUphill(0, 79, 10.0, 0.00037));
  EXPECT_FALSE(AcceptsUphill(0, 79, 10.0, 0.000371));
}

TEST(AcceptanceTest, ZeroAndNegativeTemperatures) {
  // T = 0 or -0: equal costs give NaN, unequal ones an infinite quotient;
  // both reject.
  for (double zero : {0.0, -0.0}) {
    EXPECT_FALSE(AcceptsUphill(500, 500, zero, 0.0));
    EXPECT_FALSE(AcceptsUphill(500, 600, zero, 0.0));
  }
  // A negative T turns an uphill difference into a positive quotient; one too
  // large for the exponential overflows it, which accepts.
  EXPECT_TRUE(AcceptsUphill(500, 1300, -1e-300, 0.999));
  EXPECT_TRUE(AcceptsUphill(500, 1300, -100.0, 0.999));
}

}  // namespace
