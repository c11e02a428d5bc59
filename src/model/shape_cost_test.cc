#include "model/shape_cost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Staircases whose least-area box does not fit the outline while another
// box, or a transpose, does; and what is chosen when nothing fits.
TEST(ShapeCostTest, FittingBeatsLeastArea) {
  struct Case {
    std::vector<Corner> boxes;
    Outline outline;
    Area cost;
    FloorplanShape shape;
  };
  const std::vector<Corner> three = {{2, 10}, {4, 4}, {10, 2}};
  const Case cases[] = {
      // (4, 4) is least but too high; (10, 2) fits.
      {three, {10, 3}, 20, {10, 2, false}},
      // Nothing fits 3 x 3: (4, 4) sticks out least, 4 x 4.
      {three, {3, 3}, 16, {4, 4, false}},
      // Only the transpose of (10, 2) fits 3 x 10.
      {{{4, 4}, {10, 2}}, {3, 10}, 20, {2, 10, true}},
      // Everything fits: the least area, as without an outline.
      {three, {100, 100}, 16, {4, 4, false}},
  };
  for (const Case& c : cases) {
    ShapeCost cost(c.outline);
    EXPECT_EQ(c.cost, cost.Of(c.boxes.data(), c.boxes.size()));
    FloorplanShape shape = cost.Best(c.boxes.data(), c.boxes.size());
    EXPECT_EQ(c.shape.width, shape.width);
    EXPECT_EQ(c.shape.height, shape.height);
    EXPECT_EQ(c.shape.transposed, shape.transposed);
    EXPECT_EQ(c.cost, OutlineCost(shape.width, shape.height, c.outline));
  }
  ShapeCost area;
  EXPECT_EQ(16, area.Of(three.data(), three.size()));
  EXPECT_FALSE(area.Best(three.data(), three.size()).transposed);
}

}  // namespace
