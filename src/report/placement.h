// Where every module of a slicing floorplan goes. Of all the arrangements the
// tree allows (each module in either orientation), a Placement is one whose
// bounding box has exactly the least area, the area that Floorplan::Cost()
// gives, and among boxes of that area the one closest to a square; or one
// whose bounding box is a shape chosen from the floorplan's staircase, such
// as the shape a fixed outline makes the cheapest (ShapeCost::Best).
//
// Every module sits at the lower-left corner of the slot its cut gives it:
// under 'V' the left subtree at the left and the right subtree beside it,
// under 'H' the left subtree below and the right subtree above. So no two
// modules overlap and every module lies inside the box from (0, 0) to
// (width, height). Coordinates are exact 64-bit integers.
//
// A Placement is a plain value owned by its caller; it keeps no pointer into
// the Floorplan it was made from.
#ifndef FLOORPLAN_REPORT_PLACEMENT_H_
#define FLOORPLAN_REPORT_PLACEMENT_H_

#include <cstdint>
#include <vector>

#include "model/area.h"
#include "model/shape_cost.h"

struct Floorplan;

// One module as placed. `width` and `height` are its sides as drawn: its own
// sides, or the two exchanged when `rotated` (never for a square module).
struct PlacedModule {
  int32_t identifier = 0;
  int64_t x = 0;  // lower-left corner
  int64_t y = 0;
  int64_t width = 0;
  int64_t height = 0;
  bool rotated = false;
};

// The placement of a whole floorplan: its modules and its bounding box.
struct Placement {
  std::vector<PlacedModule> modules;  // in the order of the expression
  // The bounding box, whose area width x height is the floorplan's least.
  int64_t width = 0;
  int64_t height = 0;
};

// One area evaluation of the whole floorplan, then, from the root down, the
// box each subtree must fit in: at every cut the smaller subtree is evaluated
// again and takes the box that leaves the most room to the larger one. A
// module is evaluated again for at most as many cuts above it as halve the
// module count, so the work is within a logarithmic factor of one
// evaluation, and memory stays linear in the module count. Explicit stacks
// only: trees as deep as they have modules are fine.
Placement PlaceFloorplan(const Floorplan& floorplan);

// The same with the bounding box `shape`: a box of the floorplan's staircase
// or, when `shape.transposed`, such a box turned, and then the placement is
// turned as a whole: x and y exchanged, every module turned. The placement's
// box is exactly `shape`. Whatever box it is given, the placement stays
// sound: a box that is not in the staircase is taken as the room to fit in,
// and the placement takes the least area that fits there (the least area of
// all when nothing fits).
Placement PlaceFloorplan(const Floorplan& floorplan,
                         const FloorplanShape& shape);

#endif  // FLOORPLAN_REPORT_PLACEMENT_H_
