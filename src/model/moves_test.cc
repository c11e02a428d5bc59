#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/floorplan.h"
#include "random/random.h"
#include "testing/test_floorplans.h"

namespace {

// The shape of a Floorplan beyond its text: every cut's children, in order.
std::vector<std::pair<const Element*, const Element*>> TreeOf(
    const Floorplan& f) {
  std::vector<std::pair<const Element*, const Element*>> children;
  for (const Element* e : ListOf(f)) {
    if (e->isCut) children.push_back({AsCut(e)->left, AsCut(e)->right});
  }
  return children;
}

// The move's result code, the number the annealer's loop tests.
int Code(SwapResult result) { return static_cast<int>(result); }

TEST(MovesTest, WorkedExamples) {
  {
    auto f = FloorplanFromPostfix("<1><2>V");
    EXPECT_FALSE(f->HasBothCutTypes());
    EXPECT_FALSE(f->SwapModules(2));  // the last module
    EXPECT_FALSE(f->SwapModules(7));  // no such module
    EXPECT_EQ(0u, f->ComplementChain(1));
    EXPECT_EQ("<1><2>V", ExpressionOf(*f));
    EXPECT_TRUE(f->SwapModules(1));
    EXPECT_EQ("<2><1>V", ExpressionOf(*f));
    EXPECT_EQ("", InvariantViolation(*f));
  }
  {
    auto f = FloorplanFromPostfix("<1><2>V");
    EXPECT_EQ(1u, f->ComplementChain(0));
    EXPECT_EQ("<1><2>H", ExpressionOf(*f));
  }
  for (uint32_t k : {0u, 1u}) {
    auto f = FloorplanFromPostfix("<1><2><3>HV");
    EXPECT_EQ(2u, f->ComplementChain(k));
    EXPECT_EQ("<1><2><3>VH", ExpressionOf(*f));
  }
  {
    auto f = FloorplanFromPostfix("<1><2>H<3>V");
    EXPECT_TRUE(f->HasBothCutTypes());
    const std::pair<uint32_t, int> failures[] = {{1, 7}, {0, 3}, {4, 4},
                                                 {5, 2}, {6, 2}, {7, 1}};
    for (auto [pos, code] : failures) {
      EXPECT_EQ(code, Code(f->SwapModuleAndCut(pos))) << "position " << pos;
      EXPECT_EQ("<1><2>H<3>V", ExpressionOf(*f));
    }
    EXPECT_EQ(0, Code(f->SwapModuleAndCut(2)));
    EXPECT_EQ("<1><2><3>HV", ExpressionOf(*f));
    EXPECT_EQ("", InvariantViolation(*f));
  }
  {
    auto f = FloorplanFromPostfix("<1><2>H<3>H");
    EXPECT_FALSE(f->HasBothCutTypes());
    const int expected[] = {3, 7, 6, 5, 4, 2, 2, 1};
    for (uint32_t pos = 0; pos < 8; ++pos) {
      EXPECT_EQ(expected[pos], Code(f->SwapModuleAndCut(pos)))
          << "position " << pos;
    }
    EXPECT_EQ("<1><2>H<3>H", ExpressionOf(*f));
  }
}

TEST(MovesTest, SwapModulesTakesTheFirstModuleOfARepeatedIdentifier) {
  auto f = FloorplanFromPostfix("<4><4>V<5>H");
  const Element* first = f->head;
  const Element* second = first->next;
  ASSERT_TRUE(!second->isCut && second->value == 4);
  const Element* five = AsCut(f->root)->right;
  EXPECT_TRUE(f->SwapModules(4));
  // The text cannot tell the two modules 4 apart; the elements can. They
  // exchanged places in the list and in the tree, and module 5 stayed.
  EXPECT_EQ("<4><4>V<5>H", ExpressionOf(*f));
  EXPECT_EQ(second, f->head);
  EXPECT_EQ(first, f->head->next);
  const Cut* cut = AsCut(AsCut(f->root)->left);
  EXPECT_EQ(second, cut->left);
  EXPECT_EQ(first, cut->right);
  EXPECT_EQ(five, AsCut(f->root)->right);
  EXPECT_EQ("", InvariantViolation(*f));
}

// The literal form of M1: exchange the two leaves in the tree, then relink
// the whole expression from the tree.
std::string SwapModulesByRelinking(const Floorplan& source, int32_t id) {
  auto f = source.Copy();
  Element* p = f->head;
  while (p != nullptr && (p->isCut || p->value != id)) p = p->next;
  if (p == nullptr) return "";
  Element* q = p->next;
  while (q != nullptr && q->isCut) q = q->next;
  if (q == nullptr) return "";
  auto parentOf = [](Element* child) {
    Element* e = child->next;
    while (!(e->isCut && (AsCut(e)->right == child || AsCut(e)->left == child)))
      e = e->next;
    return AsCut(e);
  };
  Cut* pp = parentOf(p);
  Cut* qp = parentOf(q);
  (pp->right == p ? pp->right : pp->left) = q;
  (qp->right == q ? qp->right : qp->left) = p;
  f->RelinkExpression();
  f->Recount();
  return ExpressionOf(*f);
}

// The literal form of M3's tests on the expression as text tokens: returns
// the result code and, for 0, the exchanged expression.
std::pair<int, std::vector<std::string>> SwapModuleAndCutLiterally(
    std::vector<std::string> tokens, uint32_t pos) {
  auto isCut = [](const std::string& t) { return t[0] != '<'; };
  if (pos > tokens.size() + 1) return {1, tokens};
  if (pos >= tokens.size()) return {2, tokens};
  bool last = pos + 1 == tokens.size();
  if (!isCut(tokens[pos])) {
    if (last || !isCut(tokens[pos + 1])) return {3, tokens};
    if (pos > 0 && isCut(tokens[pos - 1]) &&
        (tokens[pos - 1] == "V") == (tokens[pos + 1] == "V")) {
      return {5, tokens};
    }
  } else {
    if (last || isCut(tokens[pos + 1])) return {4, tokens};
    if (pos + 2 < tokens.size() && isCut(tokens[pos + 2]) &&
        (tokens[pos + 2] == "V") == (tokens[pos] == "V")) {
      return {6, tokens};
    }
  }
  std::swap(tokens[pos], tokens[pos + 1]);
  int counter = 0;
  for (const std::string& t : tokens) {
    counter += isCut(t) ? -1 : 1;
    if (counter <= 0) {
      std::swap(tokens[pos], tokens[pos + 1]);
      return {7, tokens};
    }
  }
  return {0, tokens};
}

std::vector<std::string> Tokens(const Floorplan& f) {
  std::vector<std::string> tokens;
  for (const Element* e : ListOf(f)) {
    tokens.push_back(e->isCut ? std::string(1, static_cast<char>(e->value))
                              : "<" + std::to_string(e->value) + ">");
  }
  return tokens;
}

// Long random sequences of all three moves, with arguments in and out of
// range: after every move the invariants hold and the counts are unchanged,
// every result agrees with the literal form of the move, and a failed move
// leaves expression and tree exactly as they were.
// M1 finds a module by its identifier; the Floorplan's modules are
// rewritten by CopyFrom and grow with AddModule, after which the module of
// an identifier is another element.
TEST(MovesTest, SwapModulesFindsTheModuleAfterTheModulesChanged) {
  auto f = FloorplanFromPostfix("<1><2>V<3>H");
  EXPECT_TRUE(f->SwapModules(1));
  EXPECT_EQ("<2><1>V<3>H", ExpressionOf(*f));

  auto other = FloorplanFromPostfix("<3><1>V<2>H");
  f->CopyFrom(*other);
  EXPECT_TRUE(f->SwapModules(3));
  EXPECT_EQ("<1><3>V<2>H", ExpressionOf(*f));
  EXPECT_FALSE(f->SwapModules(2));  // now the last module

  RandomSource random;
  random.SeedRandom(1);
  f->AddModule(4, 5, 6, &random);
  EXPECT_TRUE(f->SwapModules(2));
  std::string text = ExpressionOf(*f);
  EXPECT_EQ("<1><3>V<4>H<2>", text.substr(0, text.size() - 1));
  EXPECT_EQ("", InvariantViolation(*f));

  // A repeated identifier arriving by a copy: the first in the expression.
  auto repeated = FloorplanFromPostfix("<2><3>V<2>H");
  f->CopyFrom(*repeated);
  EXPECT_TRUE(f->SwapModules(2));
  EXPECT_EQ("<3><2>V<2>H", ExpressionOf(*f));
  EXPECT_EQ(AsCut(f->root)->right, ListOf(*f)[3]);
  EXPECT_EQ("", InvariantViolation(*f));
}

TEST(MovesTest, RandomMoveSequencesKeepEveryInvariant) {
  std::mt19937 random(21);
  for (int round = 0; round < 60; ++round) {
    uint32_t modules = std::uniform_int_distribution<uint32_t>(2, 25)(random);
    auto f = RandomFloorplan({modules, SideMix::kSmall, true}, &random);
    uint32_t elements = 2 * modules - 1;
    for (int step = 0; step < 400; ++step) {
      std::string before = ExpressionOf(*f);
      auto treeBefore = TreeOf(*f);
      bool changed = false;
      switch (std::uniform_int_distribution<int>(0, 2)(random)) {
        case 0: {
          int32_t id =
              std::uniform_int_distribution<int32_t>(0, modules + 1)(random);
          std::string expected = SwapModulesByRelinking(*f, id);
          changed = f->SwapModules(id);
          ASSERT_EQ(!expected.empty(), changed);
          if (changed) {
            ASSERT_EQ(expected, ExpressionOf(*f));
          }
          break;
        }
        case 1: {
          uint32_t k =
              std::uniform_int_distribution<uint32_t>(0, modules)(random);
          changed = f->ComplementChain(k) != 0;
          ASSERT_EQ(k < modules - 1, changed);
          break;
        }
        default: {
          uint32_t pos =
              std::uniform_int_distribution<uint32_t>(0, elements + 2)(random);
          auto [code, tokens] = SwapModuleAndCutLiterally(Tokens(*f), pos);
          int result = Code(f->SwapModuleAndCut(pos));
          ASSERT_EQ(code, result) << before << " position " << pos;
          ASSERT_EQ(tokens, Tokens(*f));
          changed = result == 0;
        }
      }
      ASSERT_EQ("", InvariantViolation(*f)) << before;
      ASSERT_EQ(modules, f->numModules);
      ASSERT_EQ(modules - 1, f->numOperators);
      if (!changed) {
        ASSERT_EQ(before, ExpressionOf(*f));
        ASSERT_EQ(treeBefore, TreeOf(*f));
      }
    }
  }
}

// The annealer draws M3 positions until one succeeds; it relies on one
// existing whenever both cut types are present.
TEST(MovesTest, BothCutTypesAlwaysAdmitAnExchange) {
  std::mt19937 random(22);
  for (int round = 0; round < 3000; ++round) {
    uint32_t modules = std::uniform_int_distribution<uint32_t>(2, 30)(random);
    auto f = RandomFloorplan({modules, SideMix::kSmall, true}, &random);
    bool both = f->HasBothCutTypes();
    bool anyExchange = false;
    for (uint32_t pos = 0; pos < 2 * modules; ++pos) {
      // The look ahead agrees with trying every position below its bound.
      ASSERT_EQ(anyExchange, f->HasExchangeBelow(pos)) << ExpressionOf(*f);
      auto copy = f->Copy();
      anyExchange =
          anyExchange || copy->SwapModuleAndCut(pos) == SwapResult::kSwapped;
    }
    // With one cut type no exchange is possible at all.
    ASSERT_EQ(both, anyExchange) << ExpressionOf(*f);
    ASSERT_EQ(both, f->HasExchangeBelow(UINT64_MAX));
  }
}

// A left-deep stretch whose cuts share one type admits no exchange, even
// where the other type stands further on.
TEST(MovesTest, LeftDeepStretchOfOneCutTypeAdmitsNoExchange) {
  std::string postfix = "<1><2>V";
  for (int id = 3; id <= 40; ++id) postfix += "<" + std::to_string(id) + ">V";
  postfix += "<41>H";
  auto f = FloorplanFromPostfix(postfix);
  ASSERT_TRUE(f->HasBothCutTypes());
  // Only the last V and <41>, at positions 78 and 79, can be exchanged.
  EXPECT_FALSE(f->HasExchangeBelow(78));
  EXPECT_TRUE(f->HasExchangeBelow(79));
  for (uint32_t pos = 0; pos < 81; ++pos) {
    auto copy = f->Copy();
    EXPECT_EQ(pos == 78, copy->SwapModuleAndCut(pos) == SwapResult::kSwapped)
        << pos;
  }
}

}  // namespace

namespace {

// A recorded move taken back leaves the Floorplan exactly as before: the
// same expression, the same elements in the same places, the same tree, and
// the same answers to the annealer's look before an M3 move.
TEST(MovesTest, RecordedMovesAreTakenBackExactly) {
  std::mt19937 random(23);
  for (int round = 0; round < 40; ++round) {
    uint32_t modules = std::uniform_int_distribution<uint32_t>(2, 30)(random);
    auto f = RandomFloorplan({modules, SideMix::kSmall, true}, &random);
    for (int step = 0; step < 300; ++step) {
      std::vector<const Element*> listBefore = ListOf(*f);
      auto treeBefore = TreeOf(*f);
      const Element* rootBefore = f->root;
      f->StartRecording();
      int kind = std::uniform_int_distribution<int>(0, 3)(random);
      if (kind == 0) {
        int32_t id = std::uniform_int_distribution<int32_t>(1, modules)(random);
        std::string expected = SwapModulesByRelinking(*f, id);
        ASSERT_EQ(!expected.empty(), f->SwapModules(id));
        if (!expected.empty()) {
          ASSERT_EQ(expected, ExpressionOf(*f));
        }
      } else if (kind == 1) {
        f->ComplementChain(
            std::uniform_int_distribution<uint32_t>(0, modules - 2)(random));
      } else if (kind == 2) {
        // The moves find elements by their places, which undoing restores.
        uint32_t pos =
            std::uniform_int_distribution<uint32_t>(0, 2 * modules)(random);
        auto [code, tokens] = SwapModuleAndCutLiterally(Tokens(*f), pos);
        ASSERT_EQ(code, Code(f->SwapModuleAndCut(pos)));
        ASSERT_EQ(tokens, Tokens(*f));
      } else {
        f->RebuildTree();
      }
      bool keep = std::bernoulli_distribution(0.3)(random);
      if (!keep) {
        f->UndoRecorded();
        ASSERT_EQ(listBefore, ListOf(*f));
        ASSERT_EQ(treeBefore, TreeOf(*f));
        ASSERT_EQ(rootBefore, f->root);
      }
      ASSERT_EQ("", InvariantViolation(*f));
      // What the moves keep for the M3 look agrees with a fresh copy's.
      auto fresh = f->Copy();
      ASSERT_EQ(fresh->HasBothCutTypes(), f->HasBothCutTypes());
      uint64_t below = std::uniform_int_distribution<uint64_t>(
          0, 2 * uint64_t{modules})(random);
      ASSERT_EQ(fresh->HasExchangeBelow(below), f->HasExchangeBelow(below));
    }
  }
}

}  // namespace
