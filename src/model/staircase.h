// The fast area evaluation. The bounding boxes a subtree can take, with every
// box that another box covers removed, form a staircase: sorted by width the
// widths rise strictly and the heights fall strictly. Two staircases under one
// cut combine into the staircase of the cut in time linear in their lengths,
// so a whole evaluation costs the sum of the staircase lengths, with no
// allocation once the workspace has grown.
#ifndef FLOORPLAN_MODEL_STAIRCASE_H_
#define FLOORPLAN_MODEL_STAIRCASE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/area.h"

struct Element;

// One box of a staircase. Sides are 64-bit: a sum of 16-bit sides over any
// number of modules a file can hold stays far inside that range.
struct Corner {
  int64_t width;
  int64_t height;
};

// Reused storage of one evaluation: the staircases of the pending subtrees,
// one after the other, and scratch for one combination.
struct StaircaseWorkspace {
  std::vector<Corner> corners;
  std::vector<size_t> starts;  // where each pending staircase begins
  std::vector<Corner> merged;
};

// The staircase of one module: one box for a square, two otherwise.
inline size_t ModuleStaircase(uint16_t width, uint16_t height, Corner out[2]) {
  int64_t shorter = width < height ? width : height;
  int64_t longer = width < height ? height : width;
  out[0] = {shorter, longer};
  if (shorter == longer) return 1;
  out[1] = {longer, shorter};
  return 2;
}

// Combines the staircases `left` and `right` (both sorted by rising width)
// under a cut of type `cutType` ('V': side by side, else stacked) into a
// staircase sorted by rising width, written into `out`, which must hold
// leftCount + rightCount - 1 boxes and must not overlap the inputs. Returns
// where in `out` the result starts and sets `count` to its length: stacked
// results are produced widest first and end at the end of `out`.
Corner* CombineStaircases(int32_t cutType, const Corner* left, size_t leftCount,
                          const Corner* right, size_t rightCount, Corner* out,
                          size_t* count);

// Puts a staircase on top of the pending ones.
void PushStaircase(const Corner* boxes, size_t count, StaircaseWorkspace* work);

// Replaces the two topmost pending staircases (the left one below) by their
// combination under a cut of type `cutType`.
void CombineTopTwo(int32_t cutType, StaircaseWorkspace* work);

// Evaluates the elements from `first` up to, not including, `end` (null: to
// the end of the list), which must form a complete postfix expression, such
// as a whole Floorplan or one subtree. Afterwards work->corners holds its
// staircase, sorted by rising width.
void EvaluateStaircase(const Element* first, const Element* end,
                       StaircaseWorkspace* work);

// The least width x height over `count` boxes.
Area LeastArea(const Corner* boxes, size_t count);

// The smallest area over the staircase of the expression starting at `head`
// (a complete postfix expression).
Area MinimumArea(const Element* head, StaircaseWorkspace* work);

#endif  // FLOORPLAN_MODEL_STAIRCASE_H_
