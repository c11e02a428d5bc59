#include "model/staircase.h"

#include <algorithm>
#include <limits>

#include "model/element.h"
#include "model/floorplan.h"

int64_t SaturatingArea(int64_t width, int64_t height) {
  int64_t area;
  if (__builtin_mul_overflow(width, height, &area)) {
    return std::numeric_limits<int64_t>::max();
  }
  return area;
}

size_t ModuleStaircase(uint16_t width, uint16_t height, Corner out[2]) {
  int64_t shorter = std::min(width, height);
  int64_t longer = std::max(width, height);
  out[0] = {shorter, longer};
  if (shorter == longer) return 1;
  out[1] = {longer, shorter};
  return 2;
}

// Side by side, the width of a pair is the sum and its height the larger of
// the two. Walking both staircases from their narrowest box, only advancing
// the side whose box is the taller can lead to a lower box, so each step
// yields the next box of the result: widths rise and heights fall strictly.
// Stacked is the same with the roles of width and height exchanged, walking
// both staircases from their lowest (widest) box.
size_t CombineStaircases(int32_t cutType, const Corner* left, size_t leftCount,
                         const Corner* right, size_t rightCount, Corner* out) {
  size_t count = 0;
  if (cutType == kCutV) {
    size_t i = 0;
    size_t j = 0;
    for (;;) {
      const Corner& l = left[i];
      const Corner& r = right[j];
      out[count++] = {l.width + r.width, std::max(l.height, r.height)};
      if (l.height >= r.height) ++i;
      if (r.height >= l.height) ++j;
      if (i == leftCount || j == rightCount) break;
    }
    return count;
  }
  // Produced from the widest box down; written backwards so that `out` ends
  // sorted by rising width.
  size_t last = leftCount + rightCount - 2;
  size_t i = leftCount;
  size_t j = rightCount;
  for (;;) {
    const Corner& l = left[i - 1];
    const Corner& r = right[j - 1];
    out[last - count] = {std::max(l.width, r.width), l.height + r.height};
    ++count;
    bool stepLeft = l.width >= r.width;
    bool stepRight = r.width >= l.width;
    if (stepLeft) --i;
    if (stepRight) --j;
    if (i == 0 || j == 0) break;
  }
  std::copy(out + last + 1 - count, out + last + 1, out);
  return count;
}

int64_t MinimumArea(const Element* head, StaircaseWorkspace* work) {
  std::vector<Corner>& corners = work->corners;
  std::vector<size_t>& starts = work->starts;
  std::vector<Corner>& merged = work->merged;
  corners.clear();
  starts.clear();
  for (const Element* element = head; element != nullptr;
       element = element->next) {
    if (!element->isCut) {
      Corner boxes[2];
      size_t count = ModuleStaircase(element->width, element->height, boxes);
      starts.push_back(corners.size());
      corners.insert(corners.end(), boxes, boxes + count);
      continue;
    }
    size_t rightStart = starts.back();
    starts.pop_back();
    size_t leftStart = starts.back();
    size_t leftCount = rightStart - leftStart;
    size_t rightCount = corners.size() - rightStart;
    if (merged.size() < leftCount + rightCount) {
      merged.resize(leftCount + rightCount);
    }
    size_t count =
        CombineStaircases(element->value, &corners[leftStart], leftCount,
                          &corners[rightStart], rightCount, merged.data());
    corners.resize(leftStart);
    corners.insert(corners.end(), merged.begin(), merged.begin() + count);
  }
  int64_t best = std::numeric_limits<int64_t>::max();
  for (const Corner& corner : corners) {
    best = std::min(best, SaturatingArea(corner.width, corner.height));
  }
  return best;
}

int64_t Floorplan::Cost() { return MinimumArea(head, &costWorkspace_); }
