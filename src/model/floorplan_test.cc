#include "model/floorplan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "random/random.h"
#include "testing/captured_run.h"
#include "testing/test_floorplans.h"

namespace {

std::string Printed(const Floorplan& floorplan) {
  MemoryStream out;
  floorplan.Print(out.file);
  return out.Close();
}

TEST(FloorplanTest, TwoModulesTakeTheCutTypeOfOneDraw) {
  // From the initial state the first draw is 41 (odd: 'H'), the second 18467
  // (odd: 'H'), the third 6334 (even: 'V').
  RandomSource random;
  Floorplan odd(1, 4, 6, 2, 3, 3, &random);
  EXPECT_EQ("<1><2>H", Printed(odd));
  random.NextRandom();
  Floorplan even(1, 4, 6, 2, 3, 3, &random);
  EXPECT_EQ("<1><2>V", Printed(even));
  EXPECT_EQ(2u, even.numModules);
  EXPECT_EQ(1u, even.numOperators);
  EXPECT_EQ("", InvariantViolation(even));
  const Cut* root = AsCut(even.root);
  EXPECT_EQ(1, root->left->value);
  EXPECT_EQ(4, root->left->width);
  EXPECT_EQ(6, root->left->height);
  EXPECT_EQ(2, root->right->value);
}

TEST(FloorplanTest, AddModuleGrowsTheExpressionAtItsEnd) {
  RandomSource random;
  Floorplan floorplan(1, 1, 1, 2, 1, 1, &random);
  for (int32_t id = 3; id <= 5; ++id) floorplan.AddModule(id, 2, 3, &random);
  // Draws 41, 18467, 6334, 26500: H, H, V, V.
  EXPECT_EQ("<1><2>H<3>H<4>V<5>V", ExpressionOf(floorplan));
  EXPECT_EQ(5u, floorplan.numModules);
  EXPECT_EQ(4u, floorplan.numOperators);
  EXPECT_EQ("", InvariantViolation(floorplan, /*normalized=*/false));

  // Appending in place must leave exactly what relinking from the tree gives.
  std::vector<const Element*> before = ListOf(floorplan);
  floorplan.RelinkExpression();
  floorplan.Recount();
  EXPECT_EQ(before, ListOf(floorplan));
}

TEST(FloorplanTest, PrintWritesModulesAndCutsWithoutSeparators) {
  auto floorplan = FloorplanFromPostfix("<1><2>V<3>H");
  EXPECT_EQ("<1><2>V<3>H", Printed(*floorplan));
  auto negative = FloorplanFromPostfix("<-5><2147483647>H");
  EXPECT_EQ("<-5><2147483647>H", Printed(*negative));
}

TEST(FloorplanTest, CopySharesNothingWithItsSource) {
  std::mt19937 random(11);
  for (int round = 0; round < 50; ++round) {
    auto source = RandomFloorplan({30, SideMix::kSmall, true}, &random);
    std::string text = ExpressionOf(*source);
    auto copy = source->Copy();
    EXPECT_EQ(text, ExpressionOf(*copy));
    EXPECT_EQ("", InvariantViolation(*copy));
    std::vector<const Element*> sourceList = ListOf(*source);
    for (const Element* e : ListOf(*copy)) {
      ASSERT_EQ(sourceList.end(),
                std::find(sourceList.begin(), sourceList.end(), e));
    }
    // Destroying the source leaves the copy whole (the sanitizer build would
    // report any element still shared).
    source.reset();
    EXPECT_EQ(text, ExpressionOf(*copy));
    EXPECT_EQ("", InvariantViolation(*copy));
  }
}

TEST(FloorplanTest, CopyFromRecyclesAFloorplanOfAnySize) {
  std::mt19937 random(12);
  auto recycled = RandomFloorplan({5, SideMix::kSmall, true}, &random);
  for (uint32_t modules : {40u, 40u, 3u, 2u, 100u}) {
    auto source = RandomFloorplan({modules, SideMix::kExtreme, true}, &random);
    recycled->CopyFrom(*source);
    ASSERT_EQ(ExpressionOf(*source), ExpressionOf(*recycled));
    ASSERT_EQ("", InvariantViolation(*recycled));
    std::vector<const Element*> copied = ListOf(*recycled);
    std::vector<const Element*> original = ListOf(*source);
    for (size_t i = 0; i < copied.size(); ++i) {
      ASSERT_EQ(original[i]->width, copied[i]->width);
      ASSERT_EQ(original[i]->height, copied[i]->height);
    }
    EXPECT_EQ(source->Cost(), recycled->Cost());
  }
}

// Reorders the list of a Floorplan into another valid postfix expression
// (by a random sequence of list-only exchanges that keep it valid), then
// rebuilds the tree from it.
TEST(FloorplanTest, RebuildTreeFollowsAReorderedList) {
  std::mt19937 random(13);
  for (int round = 0; round < 200; ++round) {
    auto floorplan = RandomFloorplan({12, SideMix::kSmall, false}, &random);
    auto target = RandomFloorplan({12, SideMix::kSmall, false}, &random);
    // Give the first Floorplan's list the element order of the second one's
    // expression: the k-th module / cut in the target's order.
    std::vector<Element*> modules;
    std::vector<Element*> cuts;
    for (Element* e = floorplan->head; e != nullptr; e = e->next) {
      (e->isCut ? cuts : modules).push_back(e);
    }
    std::vector<Element*> order;
    size_t m = 0;
    size_t c = 0;
    for (const Element* e = target->head; e != nullptr; e = e->next) {
      order.push_back(e->isCut ? cuts[c++] : modules[m++]);
    }
    for (size_t i = 0; i < order.size(); ++i) {
      order[i]->prev = i == 0 ? nullptr : order[i - 1];
      order[i]->next = i + 1 == order.size() ? nullptr : order[i + 1];
    }
    floorplan->head = order.front();
    floorplan->RebuildTree();
    EXPECT_EQ(order.back(), floorplan->root);
    std::vector<const Element*> list = ListOf(*floorplan);
    floorplan->RelinkExpression();
    floorplan->Recount();
    ASSERT_EQ(list, ListOf(*floorplan));
    ASSERT_EQ("", InvariantViolation(*floorplan, false));
  }
}

// Trees as deep as they have modules, in both directions: every walk uses an
// explicit stack, so none of them may exhaust the call stack.
TEST(FloorplanTest, DeepTreesLinkCopyPrintAndRelease) {
  const uint32_t kModules = 200000;
  RandomSource random(5);
  Floorplan leftDeep(1, 2, 3, 2, 3, 4, &random);
  for (uint32_t id = 3; id <= kModules; ++id) {
    leftDeep.AddModule(static_cast<int32_t>(id), 5, 7, &random);
  }
  leftDeep.RelinkExpression();
  leftDeep.Recount();
  leftDeep.RebuildTree();
  auto copy = leftDeep.Copy();
  EXPECT_EQ(ExpressionOf(leftDeep), ExpressionOf(*copy));
  EXPECT_EQ(kModules, copy->numModules);

  // A right-deep tree: <1><2><3>...<N> followed by N-1 'V' cuts, one row.
  std::string postfix;
  for (uint32_t id = 1; id <= kModules; ++id)
    postfix += "<" + std::to_string(id) + ">";
  postfix.append(kModules - 1, 'V');
  auto rightDeep = FloorplanFromPostfix(postfix);
  EXPECT_EQ(postfix, ExpressionOf(*rightDeep));
  rightDeep->RebuildTree();
  rightDeep->RelinkExpression();
  EXPECT_EQ(postfix, ExpressionOf(*rightDeep));
  EXPECT_EQ("", InvariantViolation(*rightDeep, /*normalized=*/false));
  EXPECT_EQ(Area{kModules}, rightDeep->Cost());  // all 1 x 1, in one row
}

TEST(FloorplanTest, NodeStackPopOfEmptyStackReturnsSlotZero) {
  Element a;
  Element b;
  NodeStack stack(2);
  stack.Push(&a);
  stack.Push(&b);
  EXPECT_EQ(&b, stack.Pop());
  EXPECT_EQ(&a, stack.Pop());
  EXPECT_TRUE(stack.Empty());
  EXPECT_EQ(&a, stack.Pop());
  EXPECT_EQ(0, stack.top);
}

}  // namespace
