#include "io/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

TEST(NumberTextTest, LeadingIntegerWrapsModulo32Bits) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"12", 12},
      {"  -7", 0u - 7u},
      {"+5", 5},
      {"\t\n\v\f\r 9x", 9},
      {"abc", 0},
      {"", 0},
      {"- 5", 0},
      {"12M3", 12},
      {"4294967297", 1},
      {"-2147483649", 2147483647u},
      {"99999999999999999999", 1661992959u},  // 10^20 - 1 mod 2^32
  };
  for (auto [text, expected] : cases) {
    EXPECT_EQ(expected, ParseLeadingInteger(text)) << '"' << text << '"';
  }
}

TEST(NumberTextTest, DecimalReadsTheLongestLeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<const char*, double> cases[] = {
      {"0.85", 0.85},   {"  1e3", 1000},     {"2.5d2", 250}, {"2.5D-1", 0.25},
      {"1E+2", 100},    {"12abc", 12},       {"1.5.5", 1.5}, {".5", 0.5},
      {"5.", 5},        {"-.5e1", -5},       {"1e", 1},      {"1e+", 1},
      {"1ex5", 1},      {"0x10", 0},         {"inf", 0},     {"nan", 0},
      {"-infinity", 0}, {"abc", 0},          {"", 0},        {"+", 0},
      {".", 0},         {"-.e5", 0},         {"1e999", inf}, {"-1e999", -inf},
      {"1e-999", 0},    {"\n\t 3.25", 3.25},
  };
  for (auto [text, expected] : cases) {
    EXPECT_EQ(expected, ParseDecimal(text)) << '"' << text << '"';
  }
  EXPECT_TRUE(std::signbit(ParseDecimal("-0")));
  // Subnormal values keep their value.
  EXPECT_GT(ParseDecimal("1e-320"), 0.0);
  EXPECT_LT(ParseDecimal("1e-320"), std::numeric_limits<double>::min());
  // A long run of digits is still one number.
  EXPECT_EQ(1e300, ParseDecimal("1" + std::string(300, '0')));
}

}  // namespace
