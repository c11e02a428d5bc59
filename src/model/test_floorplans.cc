#include "model/test_floorplans.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

Element* MakeModule(int32_t id, const std::vector<ModuleSides>& sides) {
  ModuleSides side{1, 1};
  if (id >= 1 && static_cast<size_t>(id) <= sides.size()) side = sides[id - 1];
  return new Module(id, side.width, side.height);
}

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
  std::vector<Element*> stack;
  size_t at = 0;
  while (at < postfix.size()) {
    char c = postfix[at];
    if (c == '<') {
      size_t close = postfix.find('>', at);
      int32_t id = std::atoi(
          std::string(postfix.substr(at + 1, close - at - 1)).c_str());
      stack.push_back(MakeModule(id, sides));
      at = close + 1;
    } else {
      Cut* cut = new Cut(c);
      cut->right = stack.back();
      stack.pop_back();
      cut->left = stack.back();
      stack.pop_back();
      stack.push_back(cut);
      ++at;
    }
  }
  return std::unique_ptr<Floorplan>(new Floorplan(AsCut(stack.back())));
}

std::unique_ptr<Floorplan> RandomFloorplan(
    const RandomFloorplanOptions& options, std::mt19937* random) {
  std::vector<int32_t> ids(options.modules);
  for (uint32_t i = 0; i < options.modules; ++i)
    ids[i] = static_cast<int32_t>(i + 1);
  std::shuffle(ids.begin(), ids.end(), *random);

  std::vector<Element*> stack;
  int32_t previousCut = 0;  // type of the previous element when it was a cut
  size_t nextModule = 0;
  std::bernoulli_distribution coin(0.5);
  while (nextModule < ids.size() || stack.size() > 1) {
    bool pushModule =
        nextModule < ids.size() && (stack.size() < 2 || coin(*random));
    if (pushModule) {
      stack.push_back(new Module(ids[nextModule++],
                                 RandomSide(options.sides, random),
                                 RandomSide(options.sides, random)));
      previousCut = 0;
      continue;
    }
    int32_t type = coin(*random) ? kCutV : kCutH;
    if (options.normalized && previousCut != 0)
      type = ComplementOf(previousCut);
    Cut* cut = new Cut(type);
    cut->right = stack.back();
    stack.pop_back();
    cut->left = stack.back();
    stack.pop_back();
    stack.push_back(cut);
    previousCut = type;
  }
  return std::unique_ptr<Floorplan>(new Floorplan(AsCut(stack.back())));
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
