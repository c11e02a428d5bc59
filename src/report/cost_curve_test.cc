// The thinned curve against the moves it was made from: columns that tile
// the run in order, at most the limit of them and never fewer than half, and
// in each exactly the least, greatest and last cost of its moves, the best
// cost so far and the last temperature.
#include "report/cost_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(CostCurveTest, ColumnsSummariseTheirMovesExactly) {
  struct Case {
    size_t limit;
    size_t moves;
    bool withInitialCost;
  };
  const Case cases[] = {
      {2, 1, false},        {2, 2, true},        {2, 3, false},
      {2, 1000, true},      {3, 3, false},       {3, 4, true},
      {3, 1001, false},     {7, 6, true},        {7, 50, false},
      {840, 839, true},     {840, 840, false},   {840, 841, true},
      {840, 100003, false}, {840, 262144, true},
  };
  std::mt19937 random(6);
  for (const Case& c : cases) {
    SCOPED_TRACE("limit " + std::to_string(c.limit) + ", moves " +
                 std::to_string(c.moves));
    std::uniform_int_distribution<int64_t> draw(1000, 5000);
    std::vector<int64_t> costs;
    std::vector<double> temperatures;
    CostCurve curve(c.limit);
    int64_t initial = draw(random);
    if (c.withInitialCost) curve.SetInitialCost(initial);
    for (size_t k = 0; k < c.moves; ++k) {
      costs.push_back(draw(random));
      temperatures.push_back(1000.0 / static_cast<double>(1 + k / 10));
      curve.Add(costs.back(), temperatures.back());
    }

    const std::vector<CurveColumn>& columns = curve.columns();
    EXPECT_EQ(c.moves, curve.moves());
    ASSERT_LE(columns.size(), c.limit);
    // Thinned only when the moves do not fit, and then no more than twice
    // as much as needed.
    if (c.moves <= c.limit) {
      EXPECT_EQ(c.moves, columns.size());
    } else {
      EXPECT_GT(2 * columns.size(), c.limit);
    }
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(1u, columns.front().firstMove);
    EXPECT_EQ(c.moves, columns.back().lastMove);
    uint64_t span = columns.front().lastMove - columns.front().firstMove + 1;
    int64_t best = c.withInitialCost ? initial : costs[0];
    size_t move = 0;
    for (size_t k = 0; k < columns.size(); ++k) {
      const CurveColumn& column = columns[k];
      SCOPED_TRACE("column " + std::to_string(k));
      ASSERT_EQ(move + 1, column.firstMove);
      ASSERT_LE(column.firstMove, column.lastMove);
      uint64_t width = column.lastMove - column.firstMove + 1;
      if (k + 1 < columns.size()) {
        EXPECT_EQ(span, width);
      } else {
        EXPECT_LE(width, span);
      }
      auto first = costs.begin() + static_cast<long>(column.firstMove - 1);
      auto last = costs.begin() + static_cast<long>(column.lastMove);
      EXPECT_EQ(*std::min_element(first, last), column.minCost);
      EXPECT_EQ(*std::max_element(first, last), column.maxCost);
      EXPECT_EQ(*(last - 1), column.lastCost);
      best = std::min(best, *std::min_element(first, last));
      EXPECT_EQ(best, column.bestCost);
      EXPECT_EQ(temperatures[column.lastMove - 1], column.temperature);
      move = column.lastMove;
    }
    if (HasFailure()) return;
  }
}

// The best so far starts from the initial cost, which may stay the best.
TEST(CostCurveTest, InitialCostCanStayTheBest) {
  CostCurve curve(4);
  curve.SetInitialCost(10);
  for (int64_t cost : {30, 20, 12, 40, 11, 50}) curve.Add(cost, 0);
  for (const CurveColumn& column : curve.columns()) {
    EXPECT_EQ(10, column.bestCost);
  }
}

}  // namespace
