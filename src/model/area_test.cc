// The area evaluation: the shape lists of the plain evaluation, and the fast
// staircase evaluation checked against it.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/area_tracker.h"
#include "model/floorplan.h"
#include "model/shape_list.h"
#include "model/staircase.h"
#include "testing/test_floorplans.h"

namespace {

using Boxes = std::vector<std::pair<int64_t, int64_t>>;

Boxes BoxesOf(ShapeList list) {
  Boxes boxes;
  for (const Shape* s = list; s != nullptr; s = s->next)
    boxes.push_back({s->width, s->height});
  ReleaseShapes(list);
  return boxes;
}

TEST(AreaTest, ShapeListsOfModulesAndCuts) {
  struct Case {
    const char* postfix;
    std::vector<ModuleSides> sides;
    Boxes expected;
    int64_t cost;
  };
  const Case cases[] = {
      // Two 1 x 2 side by side: (2,2), (3,2), (3,2), (4,1) before pruning.
      {"<1><2>V", {{1, 2}, {1, 2}}, {{2, 2}, {4, 1}}, 4},
      {"<1><2>V", {{2, 4}, {3, 3}}, {{5, 4}, {7, 3}}, 20},
      {"<1><2>H", {{2, 4}, {3, 3}}, {{3, 7}, {4, 5}}, 20},
      // Squares give one shape each; equal candidates collapse to one.
      {"<1><2>V", {{3, 3}, {3, 3}}, {{6, 3}}, 18},
      {"<1><2>H", {{2, 2}, {2, 2}}, {{2, 4}}, 8},
      // Order of a module's sides changes the candidates' order, not the cost.
      {"<1><2>V", {{4, 2}, {3, 3}}, {{7, 3}, {5, 4}}, 20},
      // Zero sides.
      {"<1><2>V", {{0, 5}, {0, 0}}, {{0, 5}, {5, 0}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.postfix);
    auto f = FloorplanFromPostfix(c.postfix, c.sides);
    EXPECT_EQ(c.expected, BoxesOf(ShapesOf(f->root)));
    EXPECT_EQ(c.cost, ReferenceCost(*f));
    EXPECT_EQ(c.cost, f->Cost());
  }
  auto square = FloorplanFromPostfix("<1><2>V", {{3, 3}, {2, 4}});
  EXPECT_EQ((Boxes{{3, 3}}), BoxesOf(ShapesOf(AsCut(square->root)->left)));
  EXPECT_EQ((Boxes{{2, 4}, {4, 2}}),
            BoxesOf(ShapesOf(AsCut(square->root)->right)));
}

// Pruning keeps the first box of every pair no other pair covers, in the
// order of the combined list.
TEST(AreaTest, PruningKeepsFirstUncoveredBoxesInOrder) {
  std::mt19937 random(31);
  for (int round = 0; round < 300; ++round) {
    auto f = RandomFloorplan({6, SideMix::kSmall, false}, &random);
    const Cut* root = AsCut(f->root);
    Boxes left = BoxesOf(ShapesOf(root->left));
    Boxes right = BoxesOf(ShapesOf(root->right));
    Boxes combined;
    for (auto [lw, lh] : left) {
      for (auto [rw, rh] : right) {
        combined.push_back(root->value == kCutV
                               ? std::make_pair(lw + rw, std::max(lh, rh))
                               : std::make_pair(std::max(lw, rw), lh + rh));
      }
    }
    Boxes expected;
    for (auto box : combined) {
      bool covered = false;
      for (auto other : combined) {
        covered |= other != box && box.first >= other.first &&
                   box.second >= other.second;
      }
      bool seen =
          std::find(expected.begin(), expected.end(), box) != expected.end();
      if (!covered && !seen) expected.push_back(box);
    }
    ASSERT_EQ(expected, BoxesOf(ShapesOf(f->root))) << ExpressionOf(*f);
  }
}

// The fast evaluation against the plain one on thousands of random trees:
// both cut types, squares and repeated sides, zero and near-65535 sides.
TEST(AreaTest, FastCostEqualsReferenceOnRandomTrees) {
  std::mt19937 random(32);
  const SideMix mixes[] = {SideMix::kSmall, SideMix::kBenchmark,
                           SideMix::kExtreme};
  for (int round = 0; round < 3000; ++round) {
    uint32_t modules = std::uniform_int_distribution<uint32_t>(
        2, round < 2900 ? 12 : 60)(random);
    bool normalized = round % 2 == 0;
    auto f = RandomFloorplan({modules, mixes[round % 3], normalized}, &random);
    ASSERT_EQ(ReferenceCost(*f), f->Cost()) << ExpressionOf(*f);
  }
}

// Every box of a combined staircase, checked against the full cross product.
TEST(AreaTest, CombinedStaircasesAreTheUncoveredPairs) {
  std::mt19937 random(33);
  for (int round = 0; round < 2000; ++round) {
    auto f = RandomFloorplan(
        {std::uniform_int_distribution<uint32_t>(2, 8)(random),
         round % 2 ? SideMix::kSmall : SideMix::kExtreme, false},
        &random);
    Boxes reference = BoxesOf(ShapesOf(f->root));
    std::sort(reference.begin(), reference.end());
    // Rebuild the root's staircase by combining its children's staircases.
    std::vector<std::vector<Corner>> stack;
    for (const Element* e = f->head; e != nullptr; e = e->next) {
      if (!e->isCut) {
        Corner boxes[2];
        size_t n = ModuleStaircase(e->width, e->height, boxes);
        stack.emplace_back(boxes, boxes + n);
        continue;
      }
      std::vector<Corner> right = std::move(stack.back());
      stack.pop_back();
      std::vector<Corner> left = std::move(stack.back());
      stack.pop_back();
      std::vector<Corner> out(left.size() + right.size() - 1);
      size_t count;
      const Corner* first =
          CombineStaircases(e->value, left.data(), left.size(), right.data(),
                            right.size(), out.data(), &count);
      ASSERT_GE(first, out.data());
      ASSERT_LE(first + count, out.data() + out.size());
      stack.emplace_back(first, first + count);
    }
    Boxes fast;
    for (const Corner& c : stack.back()) fast.push_back({c.width, c.height});
    ASSERT_EQ(reference, fast) << ExpressionOf(*f);
  }
}

// Summed sides and areas past 2^31 are exact. Here the box 95535 x 30000
// lies beyond 2^31 while the true minimum, 30001 x 65535, lies below it.
TEST(AreaTest, LargeSidesAndAreasAreExact) {
  for (const char* postfix : {"<1><2>V", "<1><2>H"}) {
    auto f = FloorplanFromPostfix(postfix, {{1, 65535}, {30000, 30000}});
    EXPECT_EQ(1966115535, f->Cost());
    EXPECT_EQ(1966115535, ReferenceCost(*f));
  }
  auto wide = FloorplanFromPostfix(
      "<1><2>V<3>V", {{65535, 65535}, {65535, 65535}, {65535, 65535}});
  EXPECT_EQ(int64_t{3} * 65535 * 65535, wide->Cost());
}

// Areas beyond the 63-bit range are exact too: a row of 50,000 squares of
// side 65535 stacked on a column of 50,000 more.
TEST(AreaTest, AreasBeyondSixtyThreeBitsAreExact) {
  EXPECT_EQ(static_cast<Area>(1) << 80,
            BoxArea(int64_t{1} << 40, int64_t{1} << 40));
  EXPECT_EQ(6, BoxArea(2, 3));
  const int kRow = 50000;
  std::string postfix = "<1>";
  for (int i = 2; i <= kRow; ++i) postfix += "<" + std::to_string(i) + ">V";
  postfix += "<" + std::to_string(kRow + 1) + ">";
  for (int i = kRow + 2; i <= 2 * kRow; ++i)
    postfix += "<" + std::to_string(i) + ">H";
  postfix += "H";
  std::vector<ModuleSides> sides(2 * kRow, ModuleSides{65535, 65535});
  auto f = FloorplanFromPostfix(postfix, sides);
  // The row is 50,000 sides wide, and with the column 50,001 high.
  Area expected = Area{kRow} * (kRow + 1) * 65535 * 65535;
  ASSERT_GT(expected, static_cast<Area>(INT64_MAX));
  EXPECT_EQ(expected, f->Cost());
  EXPECT_EQ(expected, ReferenceCost(*f));
  EXPECT_EQ("10737305304311250000", AreaText(expected));
}

}  // namespace

namespace {

// The floorplan a data file of strips loads as: module i is 1 x (i + 1), and
// each joins the tree so far under a cut of random type. Every cut's
// staircase is as long as its subtree.
std::unique_ptr<Floorplan> LeftDeepStrips(uint32_t modules,
                                          std::mt19937* random) {
  std::string postfix = "<1>";
  std::vector<ModuleSides> sides{{1, 2}};
  for (uint32_t id = 2; id <= modules; ++id) {
    postfix += "<" + std::to_string(id) + ">" + ((*random)() % 2 ? "V" : "H");
    sides.push_back({1, static_cast<uint16_t>(id + 1)});
  }
  return FloorplanFromPostfix(postfix, sides);
}

// The tracker follows a Floorplan through long sequences of recorded moves,
// some kept and some taken back, and must give the cost of a whole
// evaluation after every one: the least area, or in every other round of
// the small trees the cost against an outline. Strips make staircases too
// long to keep, which
// the tracker recombines from below; its storage must stay linear in the
// modules, where keeping every staircase would take N / 2 corners a module
// on the left-deep floorplan.
TEST(AreaTest, TrackerFollowsRecordedMovesExactly) {
  struct Case {
    SideMix sides;
    uint32_t largest;  // modules, from 2
    bool leftDeep;
    int rounds;
    int steps;
  };
  const Case cases[] = {
      {SideMix::kSmall, 40, false, 20, 300},
      {SideMix::kBenchmark, 40, false, 20, 300},
      {SideMix::kExtreme, 40, false, 20, 300},
      {SideMix::kStrips, 250, false, 4, 200},
      {SideMix::kStrips, 2000, true, 1, 20},
  };
  std::mt19937 random(34);
  for (const Case& c : cases) {
    for (int round = 0; round < c.rounds; ++round) {
      uint32_t modules =
          std::uniform_int_distribution<uint32_t>(2, c.largest)(random);
      auto f = c.leftDeep ? LeftDeepStrips(c.largest, &random)
                          : RandomFloorplan({modules, c.sides, true}, &random);
      modules = f->numModules;
      // The shape lists of long strips take cubic time: the staircase
      // evaluation, checked against them above, stands in for them there.
      bool plain = modules <= 300;
      // An outline about as large as the modules, so that some shapes fit.
      int64_t side =
          static_cast<int64_t>(std::sqrt(static_cast<double>(f->Cost())));
      ShapeCost cost = plain && round % 2 ? ShapeCost(Outline{side, side * 9 / 10})
                                          : ShapeCost();
      AreaTracker tracker(cost);
      ASSERT_EQ(plain ? ReferenceCost(*f, cost) : f->Cost(),
                tracker.Start(*f));
      for (int step = 0; step < c.steps; ++step) {
        f->StartRecording();
        bool moved = false;
        switch (std::uniform_int_distribution<int>(0, 3)(random)) {
          case 0:
            moved = f->SwapModules(
                std::uniform_int_distribution<int32_t>(1, modules)(random));
            break;
          case 1:
            moved = f->ComplementChain(std::uniform_int_distribution<uint32_t>(
                        0, modules - 2)(random)) != 0;
            break;
          case 2:
            moved = f->SwapModuleAndCut(std::uniform_int_distribution<uint32_t>(
                        0, 2 * modules)(random)) == SwapResult::kSwapped;
            break;
          default:
            f->RebuildTree();  // changes nothing, records nothing
        }
        Area tracked = tracker.CostOfRecordedMove(*f);
        if (!cost.hasOutline()) {
          ASSERT_EQ(f->Cost(), tracked) << ExpressionOf(*f);
        }
        if (plain && (step % 50 == 0 || cost.hasOutline())) {
          ASSERT_EQ(ReferenceCost(*f, cost), tracked);
        }
        if (c.leftDeep) {
          ASSERT_LE(tracker.HeldCorners(), 64 * size_t{modules});
        }
        if (moved && std::bernoulli_distribution(0.5)(random)) {
          tracker.Commit();
        } else {
          f->UndoRecorded();
        }
      }
    }
  }
}

}  // namespace
