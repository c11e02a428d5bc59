#include "report/placement.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>

#include "model/element.h"
#include "model/floorplan.h"
#include "model/staircase.h"

namespace {

// How the walk that combines two staircases moved from one box of the result
// to the next: it advanced in the left staircase, the right one, or both.
constexpr uint8_t kStepLeft = 1;
constexpr uint8_t kStepRight = 2;

// The steps of every combination of one evaluation, two bits each. Keeping
// only the steps, rather than the child boxes behind every box, is what keeps
// a long chain of cuts (whose staircases grow with the chain) affordable: the
// pair behind box q of a cut is found again by replaying its first q steps.
class StepRecord {
 public:
  void Push(uint8_t step) {
    size_t shift = (count_ % 4) * 2;
    if (shift == 0) bytes_.push_back(0);
    bytes_.back() = static_cast<uint8_t>(bytes_.back() | (step << shift));
    ++count_;
  }
  uint8_t At(size_t index) const {
    return static_cast<uint8_t>((bytes_[index / 4] >> ((index % 4) * 2)) & 3u);
  }
  size_t size() const { return count_; }

 private:
  std::vector<uint8_t> bytes_;
  size_t count_ = 0;
};

// One element of the expression, addressed by its index in postorder, so that
// a forward loop visits children before parents and a backward loop parents
// before children: no pass needs recursion.
struct Node {
  const Element* element = nullptr;
  uint32_t left = 0;  // child indices, for a Cut
  uint32_t right = 0;
  uint32_t boxes = 0;    // length of the subtree's staircase
  size_t firstStep = 0;  // where a Cut's steps begin in the StepRecord
  uint32_t chosen = 0;   // the box taken, counted in order of rising width
  int64_t width = 0;     // of the chosen box
  int64_t height = 0;
  int64_t x = 0;  // lower-left corner of the slot
  int64_t y = 0;
};

// The walks of CombineStaircases, recording their steps; `out` receives the
// boxes in the order they are produced: rising width for 'V', falling width
// for 'H'. Both walks must stay step for step those of the area evaluation,
// or the boxes found again would not be the ones that gave the least area.
size_t CombineWithSteps(int32_t cutType, const Corner* left, size_t leftCount,
                        const Corner* right, size_t rightCount, Corner* out,
                        StepRecord* steps) {
  size_t count = 0;
  if (cutType == kCutV) {
    size_t i = 0;
    size_t j = 0;
    for (;;) {
      const Corner& l = left[i];
      const Corner& r = right[j];
      out[count++] = {l.width + r.width, std::max(l.height, r.height)};
      bool stepLeft = l.height >= r.height;
      bool stepRight = r.height >= l.height;
      i += stepLeft;
      j += stepRight;
      if (i == leftCount || j == rightCount) return count;
      steps->Push(static_cast<uint8_t>((stepLeft ? kStepLeft : 0) |
                                       (stepRight ? kStepRight : 0)));
    }
  }
  size_t i = leftCount;
  size_t j = rightCount;
  for (;;) {
    const Corner& l = left[i - 1];
    const Corner& r = right[j - 1];
    out[count++] = {std::max(l.width, r.width), l.height + r.height};
    bool stepLeft = l.width >= r.width;
    bool stepRight = r.width >= l.width;
    i -= stepLeft;
    j -= stepRight;
    if (i == 0 || j == 0) return count;
    steps->Push(static_cast<uint8_t>((stepLeft ? kStepLeft : 0) |
                                     (stepRight ? kStepRight : 0)));
  }
}

// Bottom-up: the staircase of every subtree, as the area evaluation builds
// it, keeping of each only its length and the steps that made it. Returns
// the root's staircase.
std::vector<Corner> BuildStaircases(std::vector<Node>* nodes,
                                    StepRecord* steps) {
  std::vector<Corner> corners;   // the pending staircases, one after another
  std::vector<size_t> starts;    // where each pending staircase begins
  std::vector<uint32_t> owners;  // the node of each pending staircase
  std::vector<Corner> produced;
  for (uint32_t index = 0; index < nodes->size(); ++index) {
    Node& node = (*nodes)[index];
    const Element* element = node.element;
    if (!element->isCut) {
      Corner boxes[2];
      size_t count = ModuleStaircase(element->width, element->height, boxes);
      node.boxes = static_cast<uint32_t>(count);
      starts.push_back(corners.size());
      owners.push_back(index);
      corners.insert(corners.end(), boxes, boxes + count);
      continue;
    }
    size_t rightStart = starts.back();
    starts.pop_back();
    size_t leftStart = starts.back();
    node.right = owners.back();
    owners.pop_back();
    node.left = owners.back();
    owners.back() = index;
    size_t leftCount = rightStart - leftStart;
    size_t rightCount = corners.size() - rightStart;
    produced.resize(leftCount + rightCount - 1);
    node.firstStep = steps->size();
    size_t count = CombineWithSteps(element->value, &corners[leftStart],
                                    leftCount, &corners[rightStart], rightCount,
                                    produced.data(), steps);
    node.boxes = static_cast<uint32_t>(count);
    corners.resize(leftStart);
    auto end = produced.begin() + static_cast<ptrdiff_t>(count);
    if (element->value == kCutV) {
      corners.insert(corners.end(), produced.begin(), end);
    } else {
      corners.insert(corners.end(), std::make_reverse_iterator(end),
                     produced.rend());
    }
  }
  return corners;
}

// The box of least area, and of those the one closest to a square.
uint32_t ChooseRootBox(const std::vector<Corner>& staircase) {
  uint32_t best = 0;
  int64_t bestArea = std::numeric_limits<int64_t>::max();
  int64_t bestLonger = std::numeric_limits<int64_t>::max();
  for (uint32_t k = 0; k < staircase.size(); ++k) {
    int64_t area = SaturatingArea(staircase[k].width, staircase[k].height);
    int64_t longer = std::max(staircase[k].width, staircase[k].height);
    if (area < bestArea || (area == bestArea && longer < bestLonger)) {
      best = k;
      bestArea = area;
      bestLonger = longer;
    }
  }
  return best;
}

// Top-down: the box each child must take for its parent to take its own,
// found by replaying the parent's steps up to that box.
void ChooseChildBoxes(std::vector<Node>* nodes, const StepRecord& steps) {
  for (size_t index = nodes->size(); index-- > 0;) {
    const Node& node = (*nodes)[index];
    if (!node.element->isCut) continue;
    Node& left = (*nodes)[node.left];
    Node& right = (*nodes)[node.right];
    if (node.element->value == kCutV) {
      // Produced from the narrowest box on: box k is step k.
      uint32_t i = 0;
      uint32_t j = 0;
      for (uint32_t s = 0; s < node.chosen; ++s) {
        uint8_t step = steps.At(node.firstStep + s);
        i += (step & kStepLeft) ? 1 : 0;
        j += (step & kStepRight) ? 1 : 0;
      }
      left.chosen = i;
      right.chosen = j;
    } else {
      // Produced from the widest box down.
      uint32_t i = left.boxes - 1;
      uint32_t j = right.boxes - 1;
      uint32_t produced = node.boxes - 1 - node.chosen;
      for (uint32_t s = 0; s < produced; ++s) {
        uint8_t step = steps.At(node.firstStep + s);
        i -= (step & kStepLeft) ? 1 : 0;
        j -= (step & kStepRight) ? 1 : 0;
      }
      left.chosen = i;
      right.chosen = j;
    }
  }
}

// Bottom-up: the sides of every chosen box, from the modules' orientations.
void SizeChosenBoxes(std::vector<Node>* nodes) {
  for (Node& node : *nodes) {
    const Element* element = node.element;
    if (!element->isCut) {
      Corner boxes[2];
      ModuleStaircase(element->width, element->height, boxes);
      node.width = boxes[node.chosen].width;
      node.height = boxes[node.chosen].height;
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

}  // namespace

Placement PlaceFloorplan(const Floorplan& floorplan) {
  Placement placement;
  std::vector<Node> nodes;
  for (const Element* element = floorplan.head; element != nullptr;
       element = element->next) {
    Node node;
    node.element = element;
    nodes.push_back(node);
  }
  if (nodes.empty()) return placement;

  StepRecord steps;
  std::vector<Corner> rootStaircase = BuildStaircases(&nodes, &steps);
  nodes.back().chosen = ChooseRootBox(rootStaircase);
  ChooseChildBoxes(&nodes, steps);
  SizeChosenBoxes(&nodes);
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
    module.rotated =
        node.width != element->width || node.height != element->height;
    placement.modules.push_back(module);
  }
  return placement;
}
