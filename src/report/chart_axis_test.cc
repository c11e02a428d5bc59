// The axes place values where a reader expects them and mark them with
// ticks that lie on the axis, rise, and read as the numbers they mark.
#include "report/chart_axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const std::vector<Tick>& ticks) {
  std::vector<std::string> texts;
  for (const Tick& tick : ticks) texts.push_back(tick.text);
  return texts;
}

TEST(ChartAxisTest, LogarithmicAxisPutsEachDecadeTheSameDistanceApart) {
  Axis axis;
  axis.low = 1;
  axis.high = 1000;
  axis.logarithmic = true;
  axis.from = 300;  // bottom of a plot
  axis.to = 0;
  EXPECT_DOUBLE_EQ(300, axis(1));
  EXPECT_DOUBLE_EQ(200, axis(10));
  EXPECT_DOUBLE_EQ(100, axis(100));
  EXPECT_DOUBLE_EQ(0, axis(1000));
  axis.logarithmic = false;
  EXPECT_DOUBLE_EQ(150, axis(500.5));
}

TEST(ChartAxisTest, TicksMarkRoundValuesWithinTheAxis) {
  struct Case {
    double low;
    double high;
    bool logarithmic;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {0, 17840, false, {"0", "5,000", "10,000", "15,000"}},
      {1409436,
       1409436 * 3.9,
       false,
       {"2,000,000", "3,000,000", "4,000,000", "5,000,000"}},
      // A fifth of the span is 0.21: the step rounds up to 0.5.
      {0.25, 1.3, false, {"0.5", "1"}},
      // Over a few decades: 1, 2 and 5 times each power of ten.
      {256000,
       5600000,
       true,
       {"500,000", "1,000,000", "2,000,000", "5,000,000"}},
      // Within a decade: 3 and 7 times too.
      {1300000, 5600000, true, {"2,000,000", "3,000,000", "5,000,000"}},
      // Over many decades: the powers alone.
      {6.5, 70000, true, {"10", "100", "1,000", "10,000"}},
      {0.002,
       0.5,
       true,
       {"0.002", "0.005", "0.01", "0.02", "0.05", "0.1", "0.2", "0.5"}},
      {0.002, 0.9, true, {"0.01", "0.1"}},
      // Eight decades: every second power, far from 1 as exponents.
      {1e-12, 1e-4, true, {"1e-12", "1e-10", "1e-8", "1e-6", "1e-4"}},
      // Narrower than from one multiple to the next: linear ticks, a step
      // of 20 for a span of 60.
      {1020, 1080, true, {"1,020", "1,040", "1,060", "1,080"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.low) + " to " + std::to_string(c.high));
    Axis axis;
    axis.low = c.low;
    axis.high = c.high;
    axis.logarithmic = c.logarithmic;
    std::vector<Tick> ticks =
        c.logarithmic ? LogTicks(axis) : LinearTicks(axis);
    EXPECT_EQ(c.texts, Texts(ticks));
    for (size_t k = 0; k < ticks.size(); ++k) {
      EXPECT_GE(ticks[k].value, c.low * (1 - 1e-9));
      EXPECT_LE(ticks[k].value, c.high * (1 + 1e-9));
      if (k > 0) {
        EXPECT_GT(ticks[k].value, ticks[k - 1].value);
      }
    }
  }
}

TEST(ChartAxisTest, DigitsAreGroupedByThousands) {
  const std::pair<std::string, std::string> cases[] = {
      {"0", "0"},
      {"999", "999"},
      {"1000", "1,000"},
      {"-1234567", "-1,234,567"},
      {"18446744065119617025", "18,446,744,065,119,617,025"},
  };
  for (const auto& [digits, grouped] : cases) {
    EXPECT_EQ(grouped, GroupedDigits(digits));
  }
}

// The final cost gets a round tick close by, clear of the others: on a log
// plot 260 pixels high, from the bottom up. (A linear axis's is the
// picture's test.)
TEST(ChartAxisTest, ATickNearTheFinalCost) {
  struct Case {
    const char* name;
    double low, high;
    bool logarithmic;
    double value;
    std::string added;  // "" for none
  };
  const Case cases[] = {
      // 200,000 is a tick already, 2 pixels away.
      {"near already", 1.6e5, 5.5e6, true, 197274, ""},
      // 200,000 and 500,000 are 28 and 23 pixels away.
      {"between decade ticks", 1e5, 1e7, true, 330000, "300,000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Axis axis;
    axis.low = c.low;
    axis.high = c.high;
    axis.logarithmic = c.logarithmic;
    axis.from = 260;
    axis.to = 0;
    std::vector<Tick> ticks =
        c.logarithmic ? LogTicks(axis) : LinearTicks(axis);
    size_t before = ticks.size();
    AddTickNear(axis, c.value, 20, 14, &ticks);
    EXPECT_EQ(c.added, ticks.size() > before ? ticks.back().text : "");
    EXPECT_LE(ticks.size(), before + 1);
  }
}

}  // namespace
