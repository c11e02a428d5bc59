#include "model/shape_list.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/element.h"
#include "model/floorplan.h"

namespace {

ShapeList ModuleShapes(const Element* module) {
  Shape* first = new Shape{module->width, module->height, nullptr};
  if (module->width != module->height) {
    first->next = new Shape{module->height, module->width, nullptr};
  }
  return first;
}

// Removes every Shape that another Shape of the list covers (no narrower and
// no lower). Taking each survivor b in list order and removing every other
// Shape it covers keeps exactly the first Shape of each (width, height) pair
// that no different pair covers, in list order: of two equal Shapes the
// earlier one is met first as b and removes the later one.
void Prune(ShapeList* list) {
  for (Shape* b = *list; b != nullptr; b = b->next) {
    Shape** link = list;
    while (*link != nullptr) {
      Shape* g = *link;
      if (g != b && g->width >= b->width && g->height >= b->height) {
        *link = g->next;
        delete g;
      } else {
        link = &g->next;
      }
    }
  }
}

ShapeList Combine(int32_t cutType, ShapeList left, ShapeList right) {
  ShapeList combined = nullptr;
  Shape** tail = &combined;
  for (const Shape* l = left; l != nullptr; l = l->next) {
    for (const Shape* r = right; r != nullptr; r = r->next) {
      Shape* box = new Shape();
      if (cutType == kCutV) {
        box->width = l->width + r->width;
        box->height = std::max(l->height, r->height);
      } else {
        box->width = std::max(l->width, r->width);
        box->height = l->height + r->height;
      }
      *tail = box;
      tail = &box->next;
    }
  }
  ReleaseShapes(left);
  ReleaseShapes(right);
  Prune(&combined);
  return combined;
}

}  // namespace

// Postorder over the subtree with an explicit stack (a tree can be as deep as
// it has modules); finished lists wait on `results` for their parent.
ShapeList ShapesOf(const Element* element) {
  std::vector<std::pair<const Element*, bool>> work{{element, false}};
  std::vector<ShapeList> results;
  while (!work.empty()) {
    auto [node, childrenDone] = work.back();
    work.pop_back();
    if (!node->isCut) {
      results.push_back(ModuleShapes(node));
    } else if (!childrenDone) {
      work.push_back({node, true});
      work.push_back({AsCut(node)->right, false});
      work.push_back({AsCut(node)->left, false});
    } else {
      ShapeList right = results.back();
      results.pop_back();
      ShapeList left = results.back();
      results.pop_back();
      results.push_back(Combine(node->value, left, right));
    }
  }
  return results.back();
}

void ReleaseShapes(ShapeList list) {
  while (list != nullptr) {
    Shape* next = list->next;
    delete list;
    list = next;
  }
}

Area ReferenceCost(const Floorplan& floorplan, const ShapeCost& cost) {
  ShapeList shapes = ShapesOf(floorplan.root);
  Area best = kLargestArea;
  for (const Shape* shape = shapes; shape != nullptr; shape = shape->next) {
    Corner box = {shape->width, shape->height};
    best = std::min(best, cost.Of(&box, 1));
  }
  ReleaseShapes(shapes);
  return best;
}
