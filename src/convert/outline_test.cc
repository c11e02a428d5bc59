// Outlines as the benchmark files give them, reduced to rectangles or
// refused, and the integer text of their corners.
#include "convert/outline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(OutlineTest, RectanglesAndRefusals) {
  struct {
    const char* name;
    std::vector<OutlinePoint> points;
    int64_t width;  // the x extent, when accepted
    int64_t height;
    const char* reason;  // null when accepted
  } cases[] = {
      {"from the origin, clockwise",
       {{0, 0}, {0, 133}, {336, 133}, {336, 0}},
       336,
       133,
       nullptr},
      {"counterclockwise from another corner",
       {{5, 7}, {5, 2}, {1, 2}, {1, 7}},
       4,
       5,
       nullptr},
      {"away from the origin, negative",
       {{-20, -10}, {-20, 40}, {15, 40}, {15, -10}},
       35,
       50,
       nullptr},
      {"closed by repeating the first corner",
       {{0, 0}, {0, 5}, {8, 5}, {8, 0}, {0, 0}},
       8,
       5,
       nullptr},
      {"a corner given twice in a row",
       {{0, 0}, {0, 0}, {0, 5}, {8, 5}, {8, 0}},
       8,
       5,
       nullptr},
      {"the largest sides",
       {{0, 0}, {0, 65535}, {65535, 65535}, {65535, 0}},
       65535,
       65535,
       nullptr},
      {"too wide",
       {{0, 0}, {0, 1}, {65536, 1}, {65536, 0}},
       0,
       0,
       "is 65536 x 1: a side above 65535, the largest a data file holds"},
      {"too tall, away from the origin",
       {{-1, -70000}, {-1, 1}, {2, 1}, {2, -70000}},
       0,
       0,
       "is 3 x 70001: a side above 65535, the largest a data file holds"},
      {"L-shaped",
       {{0, 0}, {0, 20}, {10, 20}, {10, 10}, {20, 10}, {20, 0}},
       0,
       0,
       "is not a rectangle: its outline has 6 corners"},
      {"a corner in the middle of an edge",
       {{0, 0}, {0, 5}, {0, 10}, {10, 10}, {10, 0}},
       0,
       0,
       "is not a rectangle: its outline has 5 corners"},
      {"a rectangle traced twice",
       {{0, 0}, {0, 5}, {5, 5}, {5, 0}, {0, 0}, {0, 5}, {5, 5}, {5, 0}},
       0,
       0,
       "is not a rectangle: its outline has 8 corners"},
      {"a parallelogram",
       {{0, 0}, {5, 10}, {15, 10}, {10, 0}},
       0,
       0,
       "has a slanted edge from (0, 0) to (5, 10): only rectangles are "
       "understood"},
      {"a bow tie",
       {{0, 0}, {10, 0}, {0, 10}, {10, 10}},
       0,
       0,
       "has a slanted edge from (10, 0) to (0, 10): only rectangles are "
       "understood"},
      {"a triangle",
       {{0, 0}, {0, 10}, {10, 0}},
       0,
       0,
       "has fewer than 4 distinct corners"},
      {"four points, three corners",
       {{0, 0}, {5, 0}, {0, 0}, {0, 5}},
       0,
       0,
       "has fewer than 4 distinct corners"},
      {"flat",
       {{0, 0}, {0, 10}, {0, 10}, {0, 0}},
       0,
       0,
       "has a side of 0 (0 x 10)"},
      {"one point four times",
       {{3, 3}, {3, 3}, {3, 3}, {3, 3}},
       0,
       0,
       "has a side of 0 (0 x 0)"},
      {"no points", {}, 0, 0, "has fewer than 4 distinct corners"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int64_t width = -1;
    int64_t height = -1;
    std::string reason;
    bool accepted = RectangleOfOutline(c.points, &width, &height, &reason);
    if (c.reason == nullptr) {
      EXPECT_TRUE(accepted) << reason;
      EXPECT_EQ(c.width, width);
      EXPECT_EQ(c.height, height);
    } else {
      EXPECT_FALSE(accepted);
      EXPECT_EQ(c.reason, reason);
    }
  }
}

TEST(OutlineTest, CoordinatesAreWholeIntegerTokens) {
  struct {
    const char* text;
    bool accepted;
    int64_t value;
  } cases[] = {
      {"0", true, 0},
      {"336", true, 336},
      {"-20", true, -20},
      {"+7", true, 7},
      {"007", true, 7},
      {"1000000000000", true, 1000000000000},
      {"-1000000000000", true, -1000000000000},
      {"1000000000001", false, 0},
      {"99999999999999999999999999", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"1.5", false, 0},
      {"12a", false, 0},
      {" 1", false, 0},
      {"1,", false, 0},
      {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int64_t value = -99;
    EXPECT_EQ(c.accepted, ParseCoordinate(c.text, &value));
    EXPECT_EQ(c.accepted ? c.value : -99, value);
  }
}

}  // namespace
