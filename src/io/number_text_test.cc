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

// The strict conversions take the whole text or nothing, within their
// limits; each row is a text and what the four make of it ("-" for a
// refusal).
TEST(NumberTextTest, StrictConversionsTakeTheWholeTextOrNothing) {
  struct Case {
    const char* text;
    const char* whole;   // ParseWholeNumber, limit 4096
    const char* signed_; // ParseSignedWholeNumber, limit 10^12
    const char* area;    // ParseArea
    double decimal;      // ParseDecimalNumber; -1 for a refusal
  };
  const Case cases[] = {
      {"0", "0", "0", "0", 0},
      {"4096", "4096", "4096", "4096", 4096},
      {"4097", "-", "4097", "4097", 4097},
      {"-5", "-", "-5", "-5", -1},
      {"+5", "-", "5", "-", -1},
      {"1000000000001", "-", "-", "1000000000001", 1e12 + 1},
      {"2.5", "-", "-", "-", 2.5},
      {"1e3", "-", "-", "-", 1000},
      {".5", "-", "-", "-", 0.5},
      {"5.", "-", "-", "-", 5},
      {"1e999", "-", "-", "-", -1},
      {"1e", "-", "-", "-", -1},
      {"inf", "-", "-", "-", -1},
      {" 5", "-", "-", "-", -1},
      {"5 ", "-", "-", "-", -1},
      {"", "-", "-", "-", -1},
      {"-", "-", "-", "-", -1},
      {"170141183460469231731687303715884105727", "-", "-",
       "170141183460469231731687303715884105727", 1.7014118346046923e38},
      {"170141183460469231731687303715884105728", "-", "-", "-",
       1.7014118346046923e38},
      {"-170141183460469231731687303715884105728", "-", "-",
       "-170141183460469231731687303715884105728", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    uint64_t whole = 0;
    EXPECT_EQ(c.whole, ParseWholeNumber(c.text, 4096, &whole)
                           ? std::to_string(whole)
                           : "-");
    int64_t signedValue = 0;
    EXPECT_EQ(c.signed_, ParseSignedWholeNumber(c.text, 1000000000000,
                                                &signedValue)
                             ? std::to_string(signedValue)
                             : "-");
    Area area = 0;
    EXPECT_EQ(c.area, ParseArea(c.text, &area) ? AreaText(area) : "-");
    double decimal = -1;
    ParseDecimalNumber(c.text, &decimal);
    EXPECT_EQ(c.decimal, decimal);
  }
}

}  // namespace
