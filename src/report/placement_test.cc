// Placements of hand-made, random, deep and benchmark floorplans: every module
// keeps its sides (in one of its two orientations), lies inside the bounding
// box and overlaps no other, and the box has exactly the area Cost() gives,
// or exactly the shape chosen from the staircase.
#include "report/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "io/data_file.h"
#include "model/area.h"
#include "model/floorplan.h"
#include "model/shape_list.h"
#include "model/staircase.h"
#include "report/expression_match.h"
#include "testing/captured_run.h"

namespace {

struct Side {
  uint16_t width;
  uint16_t height;
};

// Builds the Floorplan of a postfix expression given as tokens: a module
// number (an index into `sides`, which is also its identifier) or a cut
// written as -'H' / -'V'.
std::unique_ptr<Floorplan> BuildFloorplan(const std::vector<int>& tokens,
                                          const std::vector<Side>& sides) {
  std::vector<PostfixItem> items;
  for (int token : tokens) {
    PostfixItem item;
    if (token < 0) {
      item.isCut = true;
      item.value = -token;
    } else {
      const Side& side = sides[static_cast<size_t>(token)];
      item.value = token;
      item.width = side.width;
      item.height = side.height;
    }
    items.push_back(item);
  }
  return Floorplan::FromPostfix(items);
}

// A random slicing tree over modules 0..n-1 in a random order: after each
// module, while two subtrees are pending, a cut closes them with some
// probability (and always at the end).
std::vector<int> RandomExpression(std::mt19937* random, int n) {
  std::vector<int> order(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) order[static_cast<size_t>(k)] = k;
  std::shuffle(order.begin(), order.end(), *random);
  std::vector<int> tokens;
  int pending = 0;
  std::bernoulli_distribution close(0.45);
  std::bernoulli_distribution vertical(0.5);
  for (int module : order) {
    tokens.push_back(module);
    ++pending;
    while (pending >= 2 && close(*random)) {
      tokens.push_back(vertical(*random) ? -kCutV : -kCutH);
      --pending;
    }
  }
  while (pending >= 2) {
    tokens.push_back(vertical(*random) ? -kCutV : -kCutH);
    --pending;
  }
  return tokens;
}

std::vector<Side> RandomSides(std::mt19937* random, int n, int largest) {
  std::uniform_int_distribution<int> side(1, largest);
  std::bernoulli_distribution square(0.1);
  std::vector<Side> sides;
  for (int k = 0; k < n; ++k) {
    uint16_t width = static_cast<uint16_t>(side(*random));
    uint16_t height =
        square(*random) ? width : static_cast<uint16_t>(side(*random));
    sides.push_back({width, height});
  }
  return sides;
}

// The first pair of modules that share some area, or (-1, -1). A sweep from
// left to right over the modules' vertical spans: the spans met so far never
// overlap (the sweep stops at the first overlap), so a new span can only
// overlap its neighbours in the ordered set. Modules without area cannot
// overlap anything.
std::pair<int, int> FindOverlap(const std::vector<PlacedModule>& modules) {
  struct Event {
    int64_t x;
    bool opens;
    int index;
  };
  std::vector<Event> events;
  for (size_t k = 0; k < modules.size(); ++k) {
    const PlacedModule& m = modules[k];
    if (m.width <= 0 || m.height <= 0) continue;
    events.push_back({m.x, true, static_cast<int>(k)});
    events.push_back({m.x + m.width, false, static_cast<int>(k)});
  }
  // Closing before opening at one x: modules that only touch do not overlap.
  std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return std::tie(a.x, a.opens) < std::tie(b.x, b.opens);
  });
  std::set<std::tuple<int64_t, int64_t, int>> spans;  // bottom, top, index
  for (const Event& event : events) {
    const PlacedModule& m = modules[static_cast<size_t>(event.index)];
    auto span = std::make_tuple(m.y, m.y + m.height, event.index);
    if (!event.opens) {
      spans.erase(span);
      continue;
    }
    auto above = spans.lower_bound(span);
    if (above != spans.end() && std::get<0>(*above) < m.y + m.height) {
      return {std::get<2>(*above), event.index};
    }
    if (above != spans.begin()) {
      auto below = std::prev(above);
      if (std::get<1>(*below) > m.y) return {std::get<2>(*below), event.index};
    }
    spans.insert(span);
  }
  return {-1, -1};
}

// Checks that the placement is legal for its floorplan: every module with
// its own sides, inside the box, overlapping none.
void ExpectLegal(const Floorplan& floorplan, const Placement& placement) {
  ASSERT_EQ(floorplan.numModules, placement.modules.size());
  size_t k = 0;
  for (const Element* e = floorplan.head; e != nullptr; e = e->next) {
    if (e->isCut) continue;
    const PlacedModule& m = placement.modules[k++];
    SCOPED_TRACE("module " + std::to_string(m.identifier));
    EXPECT_EQ(e->value, m.identifier);
    bool asGiven = m.width == e->width && m.height == e->height;
    bool turned = m.width == e->height && m.height == e->width;
    EXPECT_TRUE(asGiven || turned);
    EXPECT_EQ(!asGiven, m.rotated);
    EXPECT_GE(m.x, 0);
    EXPECT_GE(m.y, 0);
    EXPECT_LE(m.x + m.width, placement.width);
    EXPECT_LE(m.y + m.height, placement.height);
  }
  std::pair<int, int> overlap = FindOverlap(placement.modules);
  EXPECT_EQ(-1, overlap.first)
      << "modules " << overlap.first << " and " << overlap.second << " overlap";
}

// Legal, and its box has exactly the floorplan's least area.
void ExpectSound(Floorplan* floorplan, const Placement& placement,
                 bool withReference) {
  ExpectLegal(*floorplan, placement);
  Area cost = floorplan->Cost();
  EXPECT_EQ(cost, BoxArea(placement.width, placement.height));
  if (withReference) {
    EXPECT_EQ(ReferenceCost(*floorplan), cost);
  }
}

// Placed as chosen shapes: boxes of its staircase as they are and turned,
// each placed exactly; a room larger than every box and one smaller than any
// both give the least area.
void ExpectShapesSound(Floorplan* floorplan) {
  StaircaseWorkspace work;
  EvaluateStaircase(floorplan->head, nullptr, &work);
  std::vector<Corner> boxes = work.corners;
  std::vector<FloorplanShape> shapes;
  for (size_t k : {size_t{0}, boxes.size() / 2, boxes.size() - 1}) {
    shapes.push_back({boxes[k].width, boxes[k].height, false});
    shapes.push_back({boxes[k].height, boxes[k].width, true});
  }
  size_t staircaseShapes = shapes.size();
  shapes.push_back({boxes.back().width, boxes.front().height, false});
  shapes.push_back({1, 1, true});
  for (size_t k = 0; k < shapes.size(); ++k) {
    const FloorplanShape& shape = shapes[k];
    SCOPED_TRACE(std::to_string(shape.width) + " x " +
                 std::to_string(shape.height) +
                 (shape.transposed ? " turned" : ""));
    Placement placement = PlaceFloorplan(*floorplan, shape);
    ExpectLegal(*floorplan, placement);
    if (k < staircaseShapes) {
      EXPECT_EQ(shape.width, placement.width);
      EXPECT_EQ(shape.height, placement.height);
    } else {
      EXPECT_EQ(floorplan->Cost(), BoxArea(placement.width, placement.height));
    }
  }
}

TEST(PlacementTest, OverlapSweepAgreesWithComparingEveryPair) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(0, 12);
  std::uniform_int_distribution<int> side(0, 4);
  int overlapping = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    std::vector<PlacedModule> modules(4);
    for (PlacedModule& m : modules) {
      m.x = coordinate(random);
      m.y = coordinate(random);
      m.width = side(random);
      m.height = side(random);
    }
    bool expected = false;
    for (size_t a = 0; a < modules.size(); ++a) {
      for (size_t b = a + 1; b < modules.size(); ++b) {
        const PlacedModule& p = modules[a];
        const PlacedModule& q = modules[b];
        bool bothHaveArea =
            p.width > 0 && p.height > 0 && q.width > 0 && q.height > 0;
        expected = expected || (bothHaveArea && p.x < q.x + q.width &&
                                q.x < p.x + p.width && p.y < q.y + q.height &&
                                q.y < p.y + p.height);
      }
    }
    overlapping += expected;
    EXPECT_EQ(expected, FindOverlap(modules).first >= 0) << "trial " << trial;
  }
  EXPECT_GT(overlapping, 100);  // both outcomes were exercised
  EXPECT_LT(overlapping, 1900);
}

// Small trees worked out by hand, including ties of least area (broken
// towards the squarer box), a module left below the top of its slot, and
// chosen shapes, one turned as a whole.
TEST(PlacementTest, HandWorkedFloorplans) {
  struct Expected {
    int64_t x, y, width, height;
    bool rotated;
  };
  struct Case {
    const char* name;
    std::vector<int> tokens;
    std::vector<Side> sides;
    int64_t width, height;
    std::vector<Expected> modules;         // in expression order
    FloorplanShape shape = {0, 0, false};  // width 0: the least area
  };
  const Case cases[] = {
      // (5, 4) and (7, 3): 20 beats 21.
      {"side by side",
       {0, 1, -kCutV},
       {{2, 4}, {3, 3}},
       5,
       4,
       {{0, 0, 2, 4, false}, {2, 0, 3, 3, false}}},
      // (3, 7) and (4, 5): 20 beats 21, with the first module turned.
      {"stacked",
       {0, 1, -kCutH},
       {{2, 4}, {3, 3}},
       4,
       5,
       {{0, 0, 4, 2, true}, {0, 2, 3, 3, false}}},
      // (2, 2) and (4, 1) both have area 4: the square wins.
      {"tie",
       {0, 1, -kCutV},
       {{1, 2}, {1, 2}},
       2,
       2,
       {{0, 0, 1, 2, false}, {1, 0, 1, 2, false}}},
      {"tie turned",
       {0, 1, -kCutV},
       {{2, 1}, {2, 1}},
       2,
       2,
       {{0, 0, 1, 2, true}, {1, 0, 1, 2, true}}},
      // (1, 4) and (2, 2): here the square comes second in width order.
      {"tie stacked",
       {0, 1, -kCutH},
       {{1, 2}, {1, 2}},
       2,
       2,
       {{0, 0, 2, 1, true}, {0, 1, 2, 1, true}}},
      // Module 1 sits low in a slot two high; module 2 turned on top.
      {"slot",
       {0, 1, -kCutV, 2, -kCutH},
       {{2, 2}, {1, 1}, {1, 3}},
       3,
       3,
       {{0, 0, 2, 2, false}, {2, 0, 1, 1, false}, {0, 2, 3, 1, true}}},
      // A stack beside a module turned upright: (3, 6), (4, 4) and (7, 3).
      {"nested",
       {0, 1, 2, -kCutH, -kCutV},
       {{4, 1}, {3, 2}, {3, 1}},
       4,
       4,
       {{0, 0, 1, 4, true}, {1, 0, 3, 2, false}, {1, 2, 3, 1, false}}},
      // The stack's boxes are (3, 7) and (4, 5); (3, 7) chosen, then turned.
      {"stacked, taller",
       {0, 1, -kCutH},
       {{2, 4}, {3, 3}},
       3,
       7,
       {{0, 0, 2, 4, false}, {0, 4, 3, 3, false}},
       {3, 7, false}},
      {"stacked, turned",
       {0, 1, -kCutH},
       {{2, 4}, {3, 3}},
       7,
       3,
       {{0, 0, 4, 2, true}, {4, 0, 3, 3, false}},
       {7, 3, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<Floorplan> floorplan = BuildFloorplan(c.tokens, c.sides);
    Placement placement = c.shape.width == 0
                              ? PlaceFloorplan(*floorplan)
                              : PlaceFloorplan(*floorplan, c.shape);
    EXPECT_EQ(c.width, placement.width);
    EXPECT_EQ(c.height, placement.height);
    ASSERT_EQ(c.modules.size(), placement.modules.size());
    for (size_t k = 0; k < c.modules.size(); ++k) {
      const Expected& e = c.modules[k];
      const PlacedModule& m = placement.modules[k];
      SCOPED_TRACE(k);
      EXPECT_EQ(std::make_tuple(e.x, e.y, e.width, e.height, e.rotated),
                std::make_tuple(m.x, m.y, m.width, m.height, m.rotated));
    }
    if (c.shape.width == 0) ExpectSound(floorplan.get(), placement, true);
    ExpectLegal(*floorplan, placement);
  }
}

TEST(PlacementTest, RandomFloorplansAreSoundAndOfLeastArea) {
  struct Case {
    int modules;
    int largestSide;
    int trees;
  };
  // Small sides make many ties and squares; large ones long staircases.
  const Case cases[] = {{2, 3, 50},     {3, 4, 100},     {8, 5, 100},
                        {8, 1000, 100}, {40, 10, 50},    {40, 65535, 50},
                        {300, 30, 10},  {300, 65535, 10}};
  std::mt19937 random(20260101);
  for (const Case& c : cases) {
    SCOPED_TRACE("modules " + std::to_string(c.modules) + ", sides up to " +
                 std::to_string(c.largestSide));
    for (int tree = 0; tree < c.trees; ++tree) {
      std::vector<Side> sides = RandomSides(&random, c.modules, c.largestSide);
      std::unique_ptr<Floorplan> floorplan =
          BuildFloorplan(RandomExpression(&random, c.modules), sides);
      ExpectSound(floorplan.get(), PlaceFloorplan(*floorplan), c.modules <= 40);
      ExpectShapesSound(floorplan.get());
      if (HasFailure()) return;
    }
  }
}

// Modules with a zero side (a side of 65536 wraps to 0) still get a place.
TEST(PlacementTest, ModulesWithoutArea) {
  std::unique_ptr<Floorplan> floorplan = BuildFloorplan(
      {0, 1, -kCutV, 2, -kCutH, 3, -kCutV}, {{0, 5}, {3, 0}, {2, 2}, {0, 0}});
  Placement placement = PlaceFloorplan(*floorplan);
  ExpectSound(floorplan.get(), placement, true);
}

// Chains as deep as they have modules: left-deep as the loader builds them,
// right-deep as moves can make them. A recursive walk would need a stack
// frame per level. Modules of 1 x 2 keep every staircase short; the last
// chain has distinct modules side by side, whose staircases grow with it.
TEST(PlacementTest, DeepChains) {
  const int kDeep = 100000;
  std::vector<Side> halves(kDeep, Side{1, 2});
  std::vector<int> leftDeep{0};
  std::vector<int> rightDeep;
  for (int k = 1; k < kDeep; ++k) {
    leftDeep.push_back(k);
    leftDeep.push_back(k % 3 == 0 ? -kCutH : -kCutV);
  }
  for (int k = 0; k < kDeep; ++k) rightDeep.push_back(k);
  for (int k = 1; k < kDeep; ++k) rightDeep.push_back(k % 2 ? -kCutV : -kCutH);

  const int kLong = 3000;
  std::mt19937 random(99);
  std::vector<Side> distinct = RandomSides(&random, kLong, 65535);
  std::vector<int> wide{0};
  for (int k = 1; k < kLong; ++k) {
    wide.push_back(k);
    wide.push_back(-kCutV);
  }

  struct Case {
    const char* name;
    const std::vector<int>* tokens;
    const std::vector<Side>* sides;
  };
  for (const Case& c : {Case{"left-deep", &leftDeep, &halves},
                        Case{"right-deep", &rightDeep, &halves},
                        Case{"wide", &wide, &distinct}}) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<Floorplan> floorplan = BuildFloorplan(*c.tokens, *c.sides);
    ExpectSound(floorplan.get(), PlaceFloorplan(*floorplan), false);
  }
}

// The benchmark modules in random trees, and the final solutions of real
// runs on the smaller ones, as the report reads them.
TEST(PlacementTest, BenchmarkFloorplans) {
  std::mt19937 random(33);
  for (const char* name : {"apte", "xerox", "hp", "ami33", "n100", "n200"}) {
    SCOPED_TRACE(name);
    std::string path = SourcePath(std::string("examples/") + name + ".txt");
    std::vector<DataModule> modules;
    std::string error;
    ASSERT_TRUE(ReadDataFile(path, &modules, &error)) << error;
    std::vector<Side> sides;
    for (const DataModule& m : modules) sides.push_back({m.width, m.height});
    for (int tree = 0; tree < 20; ++tree) {
      std::unique_ptr<Floorplan> floorplan = BuildFloorplan(
          RandomExpression(&random, static_cast<int>(sides.size())), sides);
      ExpectSound(floorplan.get(), PlaceFloorplan(*floorplan),
                  sides.size() <= 40);
      if (tree < 3) ExpectShapesSound(floorplan.get());
    }

    if (sides.size() > 40) continue;  // runs on these crawl under ASan
    CapturedRun run = RunCaptured({path, "0.8", "1000", "100"});
    ASSERT_EQ(0, run.status);
    size_t solution = run.out.find("Final solution:\n");
    ASSERT_NE(std::string::npos, solution);
    size_t start = solution + 16;
    std::string expression =
        run.out.substr(start, run.out.find('\n', start) - start);
    Area cost = std::stoll(run.out.substr(run.out.rfind("Cost: ") + 6));
    ExpressionMatch match = MatchExpression(expression, modules, path);
    ASSERT_TRUE(match.floorplan) << match.error;
    Placement placement = PlaceFloorplan(*match.floorplan);
    ExpectSound(match.floorplan.get(), placement, false);
    EXPECT_EQ(cost, BoxArea(placement.width, placement.height));
  }
}

}  // namespace
