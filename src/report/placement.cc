#include "report/placement.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "model/element.h"
#include "model/floorplan.h"
#include "model/staircase.h"

namespace {

// One element of the expression, addressed by its index in postorder, so
// that a forward loop visits children before parents and a backward loop
// parents before children: no pass needs recursion. A subtree is the range
// of indices from `first` to its own.
struct Node {
  const Element* element = nullptr;
  uint32_t left = 0;  // child indices, for a Cut
  uint32_t right = 0;
  uint32_t first = 0;    // index of the subtree's first element
  uint32_t modules = 0;  // in the subtree
  Corner room{0, 0};     // the box the subtree must fit in
  bool rotated = false;  // for a Module
  int64_t width = 0;     // of the subtree as placed
  int64_t height = 0;
  int64_t x = 0;  // lower-left corner of the slot
  int64_t y = 0;
};

// The box of least area, and of those the one closest to a square.
Corner ChooseRootBox(const std::vector<Corner>& staircase) {
  Corner best = staircase.front();
  Area bestArea = kLargestArea;
  int64_t bestLonger = std::numeric_limits<int64_t>::max();
  for (const Corner& box : staircase) {
    Area area = BoxArea(box.width, box.height);
    int64_t longer = std::max(box.width, box.height);
    if (area < bestArea || (area == bestArea && longer < bestLonger)) {
      best = box;
      bestArea = area;
      bestLonger = longer;
    }
  }
  return best;
}

// The box of least area that fits in `room`; ChooseRootBox's when none does.
Corner ChooseBoxIn(const std::vector<Corner>& staircase, Corner room) {
  Corner best = ChooseRootBox(staircase);
  Area bestArea = kLargestArea;
  for (const Corner& box : staircase) {
    Area area = BoxArea(box.width, box.height);
    if (box.width <= room.width && box.height <= room.height &&
        area < bestArea) {
      best = box;
      bestArea = area;
    }
  }
  return best;
}

// Of a staircase sorted by rising width, the box that fits in `room` and is
// narrowest (side by side) or lowest (stacked): what leaves the most room to
// the other subtree of the cut.
Corner ChooseFittingBox(int32_t cutType, const Corner* boxes, size_t count,
                        Corner room) {
  // Rising width means falling height: the boxes that fit are a run.
  Corner chosen = boxes[0];
  bool found = false;
  for (size_t k = 0; k < count; ++k) {
    const Corner& box = boxes[k];
    if (box.width > room.width || box.height > room.height) continue;
    if (!found || (cutType == kCutV ? box.width < chosen.width
                                    : box.height < chosen.height)) {
      chosen = box;
      found = true;
    }
  }
  return chosen;
}

// Top-down: the room of each subtree, and so each module's orientation.
void ShareRoom(std::vector<Node>* nodes, StaircaseWorkspace* work) {
  for (size_t index = nodes->size(); index-- > 0;) {
    Node& node = (*nodes)[index];
    const Element* element = node.element;
    if (!element->isCut) {
      // The parent's choice guarantees one orientation fits; take the
      // module's own where both do.
      node.rotated = !(element->width <= node.room.width &&
                       element->height <= node.room.height);
      continue;
    }
    Node& left = (*nodes)[node.left];
    Node& right = (*nodes)[node.right];
    bool leftIsSmaller = left.modules < right.modules;
    Node& smaller = leftIsSmaller ? left : right;
    Node& larger = leftIsSmaller ? right : left;
    Corner moduleBoxes[2];
    const Corner* boxes;
    size_t count;
    if (!smaller.element->isCut) {
      count = ModuleStaircase(smaller.element->width, smaller.element->height,
                              moduleBoxes);
      boxes = moduleBoxes;
    } else {
      EvaluateStaircase((*nodes)[smaller.first].element, smaller.element->next,
                        work);
      boxes = work->corners.data();
      count = work->corners.size();
    }
    Corner fit = ChooseFittingBox(element->value, boxes, count, node.room);
    smaller.room = fit;
    larger.room = node.room;
    if (element->value == kCutV) {
      larger.room.width -= fit.width;
    } else {
      larger.room.height -= fit.height;
    }
  }
}

// Bottom-up: the sides of every subtree as placed.
void SizeSubtrees(std::vector<Node>* nodes) {
  for (Node& node : *nodes) {
    const Element* element = node.element;
    if (!element->isCut) {
      node.width = node.rotated ? element->height : element->width;
      node.height = node.rotated ? element->width : element->height;
      continue;
    }
    const Node& left = (*nodes)[node.left];
    const Node& right = (*nodes)[node.right];
    if (element->value == kCutV) {
      node.width = left.width + right.width;
      node.height = std::max(left.height, right.height);
    } else {
      node.width = std::max(left.width, right.width);
      node.height = left.height + right.height;
    }
  }
}

// Top-down: each subtree at the lower-left of its slot.
void PlaceSlots(std::vector<Node>* nodes) {
  for (size_t index = nodes->size(); index-- > 0;) {
    const Node& node = (*nodes)[index];
    if (!node.element->isCut) continue;
    Node& left = (*nodes)[node.left];
    Node& right = (*nodes)[node.right];
    left.x = node.x;
    left.y = node.y;
    if (node.element->value == kCutV) {
      right.x = node.x + left.width;
      right.y = node.y;
    } else {
      right.x = node.x;
      right.y = node.y + left.height;
    }
  }
}

// The whole placement, with the root's box chosen by `chooseRoot` from the
// root's staircase.
template <typename ChooseRoot>
Placement PlaceWithRoot(const Floorplan& floorplan, ChooseRoot chooseRoot) {
  Placement placement;
  if (floorplan.head == nullptr) return placement;
  std::vector<Node> nodes;
  nodes.reserve(size_t{floorplan.numModules} + floorplan.numOperators);
  std::vector<uint32_t> pending;  // subtrees no cut has joined yet
  for (const Element* element = floorplan.head; element != nullptr;
       element = element->next) {
    Node node;
    node.element = element;
    uint32_t index = static_cast<uint32_t>(nodes.size());
    if (element->isCut) {
      node.right = pending.back();
      pending.pop_back();
      node.left = pending.back();
      pending.pop_back();
      node.first = nodes[node.left].first;
      node.modules = nodes[node.left].modules + nodes[node.right].modules;
    } else {
      node.first = index;
      node.modules = 1;
    }
    pending.push_back(index);
    nodes.push_back(node);
  }

  StaircaseWorkspace work;
  EvaluateStaircase(floorplan.head, nullptr, &work);
  nodes.back().room = chooseRoot(work.corners);
  ShareRoom(&nodes, &work);
  SizeSubtrees(&nodes);
  PlaceSlots(&nodes);

  placement.width = nodes.back().width;
  placement.height = nodes.back().height;
  placement.modules.reserve(floorplan.numModules);
  for (const Node& node : nodes) {
    const Element* element = node.element;
    if (element->isCut) continue;
    PlacedModule module;
    module.identifier = element->value;
    module.x = node.x;
    module.y = node.y;
    module.width = node.width;
    module.height = node.height;
    module.rotated = node.rotated;
    placement.modules.push_back(module);
  }
  return placement;
}

// Mirrors the placement over its diagonal: x and y exchanged, and so every
// module turned (a square one keeps its orientation: it is never turned).
void Transpose(Placement* placement) {
  std::swap(placement->width, placement->height);
  for (PlacedModule& module : placement->modules) {
    std::swap(module.x, module.y);
    std::swap(module.width, module.height);
    if (module.width != module.height) module.rotated = !module.rotated;
  }
}

}  // namespace

Placement PlaceFloorplan(const Floorplan& floorplan) {
  return PlaceWithRoot(floorplan, ChooseRootBox);
}

Placement PlaceFloorplan(const Floorplan& floorplan,
                         const FloorplanShape& shape) {
  Corner room = shape.transposed ? Corner{shape.height, shape.width}
                                 : Corner{shape.width, shape.height};
  Placement placement =
      PlaceWithRoot(floorplan, [room](const std::vector<Corner>& staircase) {
        return ChooseBoxIn(staircase, room);
      });
  if (shape.transposed) Transpose(&placement);
  return placement;
}
