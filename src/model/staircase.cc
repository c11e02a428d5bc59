#include "model/staircase.h"

#include <algorithm>
#include <limits>

#include "model/element.h"

// Side by side, the width of a pair is the sum and its height the larger of
// the two. Walking both staircases from their narrowest box, only advancing
// the side whose box is the taller can lead to a lower box, so each step
// yields the next box of the result: widths rise and heights fall strictly.
// Stacked is the same with the roles of width and height exchanged, walking
// both staircases from their lowest (widest) box.
Corner* CombineStaircases(int32_t cutType, const Corner* left, size_t leftCount,
                          const Corner* right, size_t rightCount, Corner* out,
                          size_t* count) {
  // Walked by pointers, with both boxes copied before the result is written,
  // which the compiler cannot otherwise assume leaves them unchanged: some
  // tenth fewer instructions a move than walking by index. The walk ends
  // when either side has no box left.
  if (cutType == kCutV) {
    const Corner* leftEnd = left + leftCount;
    const Corner* rightEnd = right + rightCount;
    Corner* next = out;
    for (;;) {
      const Corner l = *left;
      const Corner r = *right;
      *next++ = {l.width + r.width, std::max(l.height, r.height)};
      if (l.height >= r.height && ++left == leftEnd) break;
      if (r.height >= l.height && ++right == rightEnd) break;
    }
    *count = static_cast<size_t>(next - out);
    return out;
  }
  Corner* end = out + leftCount + rightCount - 1;
  Corner* first = end;
  // Each points just past the box it takes next.
  const Corner* leftAt = left + leftCount;
  const Corner* rightAt = right + rightCount;
  for (;;) {
    const Corner l = leftAt[-1];
    const Corner r = rightAt[-1];
    *--first = {std::max(l.width, r.width), l.height + r.height};
    if (l.width >= r.width && --leftAt == left) break;
    if (r.width >= l.width && --rightAt == right) break;
  }
  *count = static_cast<size_t>(end - first);
  return first;
}

void PushStaircase(const Corner* boxes, size_t count,
                   StaircaseWorkspace* work) {
  work->starts.push_back(work->corners.size());
  work->corners.insert(work->corners.end(), boxes, boxes + count);
}

void CombineTopTwo(int32_t cutType, StaircaseWorkspace* work) {
  std::vector<Corner>& corners = work->corners;
  std::vector<size_t>& starts = work->starts;
  std::vector<Corner>& merged = work->merged;
  size_t rightStart = starts.back();
  starts.pop_back();
  size_t leftStart = starts.back();
  size_t leftCount = rightStart - leftStart;
  size_t rightCount = corners.size() - rightStart;
  if (merged.size() < leftCount + rightCount) {
    merged.resize(leftCount + rightCount);
  }
  size_t count;
  const Corner* combined = CombineStaircases(cutType, &corners[leftStart],
                                             leftCount, &corners[rightStart],
                                             rightCount, merged.data(), &count);
  corners.resize(leftStart);
  corners.insert(corners.end(), combined, combined + count);
}

void EvaluateStaircase(const Element* first, const Element* end,
                       StaircaseWorkspace* work) {
  work->corners.clear();
  work->starts.clear();
  for (const Element* element = first; element != end;
       element = element->next) {
    if (element->isCut) {
      CombineTopTwo(element->value, work);
    } else {
      Corner boxes[2];
      size_t count = ModuleStaircase(element->width, element->height, boxes);
      PushStaircase(boxes, count, work);
    }
  }
}

Area LeastArea(const Corner* boxes, size_t count) {
  Area best = kLargestArea;
  for (size_t i = 0; i < count; ++i) {
    best = std::min(best, BoxArea(boxes[i].width, boxes[i].height));
  }
  return best;
}

Area MinimumArea(const Element* head, StaircaseWorkspace* work) {
  EvaluateStaircase(head, nullptr, work);
  return LeastArea(work->corners.data(), work->corners.size());
}
