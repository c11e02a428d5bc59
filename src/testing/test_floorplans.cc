#include "testing/test_floorplans.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "io/loader.h"
#include "model/expression_parser.h"
#include "random/random.h"

namespace {

uint16_t RandomSide(SideMix mix, std::mt19937* random) {
  switch (mix) {
    case SideMix::kSmall:
      return static_cast<uint16_t>(
          std::uniform_int_distribution<int>(1, 20)(*random));
    case SideMix::kBenchmark:
      return static_cast<uint16_t>(
          std::uniform_int_distribution<int>(10, 3000)(*random));
    case SideMix::kExtreme: {
      static const uint16_t kValues[] = {0, 1, 2, 65535, 65534, 32768, 40000};
      if (std::uniform_int_distribution<int>(0, 2)(*random) == 0) {
        return kValues[std::uniform_int_distribution<size_t>(0, 6)(*random)];
      }
      return static_cast<uint16_t>(
          std::uniform_int_distribution<int>(0, 65535)(*random));
    }
    case SideMix::kStrips:
      return static_cast<uint16_t>(
          std::uniform_int_distribution<int>(2, 65535)(*random));
  }
  return 1;
}

// Postorder of the tree, walked with an explicit stack.
std::vector<const Element*> TreePostorder(const Element* root) {
  std::vector<const Element*> order;
  std::vector<std::pair<const Element*, bool>> work{{root, false}};
  while (!work.empty()) {
    auto [node, childrenDone] = work.back();
    work.pop_back();
    if (node == nullptr) {
      order.push_back(nullptr);
    } else if (!node->isCut || childrenDone) {
      order.push_back(node);
    } else {
      work.push_back({node, true});
      work.push_back({AsCut(node)->right, false});
      work.push_back({AsCut(node)->left, false});
    }
    if (order.size() > 50'000'000) break;  // a cycle: stop, the caller fails
  }
  return order;
}

}  // namespace

std::unique_ptr<Floorplan> FloorplanFromPostfix(
    std::string_view postfix, const std::vector<ModuleSides>& sides) {
  auto lookup = [&](int32_t id, uint16_t* width, uint16_t* height,
                    std::string*) {
    ModuleSides side{1, 1};
    if (id >= 1 && static_cast<size_t>(id) <= sides.size()) {
      side = sides[static_cast<size_t>(id) - 1];
    }
    *width = side.width;
    *height = side.height;
    return true;
  };
  std::string error;
  std::unique_ptr<Floorplan> floorplan =
      ParseExpression(postfix, lookup, &error);
  if (!floorplan) {
    ADD_FAILURE() << "not a test floorplan: " << postfix << ": " << error;
  }
  return floorplan;
}

std::unique_ptr<Floorplan> RandomFloorplan(
    const RandomFloorplanOptions& options, std::mt19937* random) {
  std::vector<int32_t> ids(options.modules);
  for (uint32_t i = 0; i < options.modules; ++i)
    ids[i] = static_cast<int32_t>(i + 1);
  std::shuffle(ids.begin(), ids.end(), *random);

  std::vector<PostfixItem> items;
  size_t pending = 0;
  int32_t previousCut = 0;  // type of the previous element when it was a cut
  size_t nextModule = 0;
  std::bernoulli_distribution coin(0.5);
  while (nextModule < ids.size() || pending > 1) {
    bool pushModule = nextModule < ids.size() && (pending < 2 || coin(*random));
    if (pushModule) {
      PostfixItem module;
      module.value = ids[nextModule++];
      module.width = options.sides == SideMix::kStrips
                         ? 1
                         : RandomSide(options.sides, random);
      module.height = RandomSide(options.sides, random);
      items.push_back(module);
      ++pending;
      previousCut = 0;
      continue;
    }
    int32_t type = coin(*random) ? kCutV : kCutH;
    if (options.normalized && previousCut != 0)
      type = ComplementOf(previousCut);
    PostfixItem cut;
    cut.isCut = true;
    cut.value = type;
    items.push_back(cut);
    --pending;
    previousCut = type;
  }
  return Floorplan::FromPostfix(items);
}

std::unique_ptr<Floorplan> LoadFloorplanFile(const std::string& path) {
  RandomSource random;
  std::string error;
  return LoadFloorplan(path, &random, &error);
}

std::string RandomDataFile(int64_t modules) {
  static std::vector<std::pair<int64_t, std::string>> written;
  for (const auto& [count, path] : written) {
    if (count == modules) return path;
  }
  std::string path = "/tmp/floorplan_data_" + std::to_string(getpid()) + "_" +
                     std::to_string(modules) + ".txt";
  FILE* file = fopen(path.c_str(), "w");
  std::mt19937 random(static_cast<uint32_t>(modules));
  std::uniform_int_distribution<int> side(1, 500);
  for (int64_t id = 1; id <= modules; ++id) {
    int width = side(random);
    int height = side(random);
    fprintf(file, "%lld %d %d\n", static_cast<long long>(id), width, height);
  }
  fclose(file);
  written.push_back({modules, path});
  return path;
}

std::string ExpressionOf(const Floorplan& floorplan) {
  std::string text;
  floorplan.AppendExpression(&text);
  return text;
}

std::vector<const Element*> ListOf(const Floorplan& floorplan) {
  std::vector<const Element*> list;
  for (const Element* e = floorplan.head;
       e != nullptr && list.size() <= 50'000'000; e = e->next) {
    list.push_back(e);
  }
  return list;
}

std::string InvariantViolation(const Floorplan& floorplan, bool normalized) {
  if (floorplan.root == nullptr || !floorplan.root->isCut)
    return "root is not a cut";
  std::vector<const Element*> list = ListOf(floorplan);
  if (TreePostorder(floorplan.root) != list)
    return "tree postorder differs from the list";
  if (list.back() != floorplan.root) return "last element is not the root";
  uint32_t modules = 0;
  uint32_t cuts = 0;
  int64_t ballot = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    const Element* e = list[i];
    if (e->prev != (i == 0 ? nullptr : list[i - 1]))
      return "prev does not match next";
    if (e->parent == nullptr ? e != floorplan.root
                             : !e->parent->isCut ||
                                   (AsCut(e->parent)->left != e &&
                                    AsCut(e->parent)->right != e)) {
      return "parent does not hold the element as a child";
    }
    if (e->isCut) {
      ++cuts;
      --ballot;
      if (normalized && i > 0 && list[i - 1]->isCut &&
          (list[i - 1]->value == kCutV) == (e->value == kCutV)) {
        return "two adjacent cuts of one type";
      }
    } else {
      ++modules;
      ++ballot;
    }
    if (ballot <= 0) return "a prefix holds no more modules than cuts";
  }
  if (modules != floorplan.numModules || cuts != floorplan.numOperators) {
    return "counts differ from the list";
  }
  if (cuts + 1 != modules) return "cuts are not modules - 1";
  return "";
}
