// What a run minimises over the shapes a floorplan can take. A slicing tree
// can take every box of the staircase at its root, one per choice of module
// orientations; its transpose (every cut complemented, every module turned)
// is the same floorplan turned by 90 degrees and takes the same boxes with
// width and height exchanged.
//
// Without an outline the cost is the least area of those boxes. Against a
// fixed outline W x H, a box w x h costs w h when it fits (w <= W and
// h <= H) and max(w, W) max(h, H) otherwise: the area of the smallest box
// holding both the floorplan and the outline. A box that fits costs at most
// W H and one that does not costs more, so fitting always wins, and an
// overflow costs in proportion to how far it sticks out. The cost rises
// with either side, so a box that another box covers never costs less:
// the staircase holds every shape worth looking at.
#ifndef FLOORPLAN_MODEL_SHAPE_COST_H_
#define FLOORPLAN_MODEL_SHAPE_COST_H_

#include <cstddef>
#include <cstdint>

#include "model/area.h"
#include "model/staircase.h"

// A fixed outline, its x extent first, as the course's files give it.
struct Outline {
  int64_t width = 0;
  int64_t height = 0;
};

// One box a floorplan can take: a box of its staircase, the floorplan
// transposed when `transposed` (width and height then exchanged).
struct FloorplanShape {
  int64_t width = 0;
  int64_t height = 0;
  bool transposed = false;
};

// The box w x h's cost against `outline`.
Area OutlineCost(int64_t width, int64_t height, const Outline& outline);

// The cost of a run: least area, or against an outline. A plain value.
class ShapeCost {
 public:
  ShapeCost() = default;
  explicit ShapeCost(const Outline& outline)
      : outline_(outline), hasOutline_(true) {}

  bool hasOutline() const { return hasOutline_; }
  const Outline& outline() const { return outline_; }

  // The least cost over `boxes` (a staircase, `count` at least 1) and, with
  // an outline, their transposes.
  Area Of(const Corner* boxes, size_t count) const;
  // A shape of that cost: the first such box in the staircase's order, or,
  // where only a transpose costs that little, the first such transpose.
  FloorplanShape Best(const Corner* boxes, size_t count) const;

 private:
  Outline outline_;
  bool hasOutline_ = false;
};

#endif  // FLOORPLAN_MODEL_SHAPE_COST_H_
