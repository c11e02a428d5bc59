// The plain area evaluation: per subtree, a linked list of every candidate
// bounding box, built from the full cross product of the two child lists and
// then pruned of every box that another box covers. It allocates every Shape
// on the heap and is kept as the reference that the fast evaluation
// (staircase.h) is checked and measured against.
#ifndef FLOORPLAN_MODEL_SHAPE_LIST_H_
#define FLOORPLAN_MODEL_SHAPE_LIST_H_

#include <cstdint>

#include "model/area.h"
#include "model/shape_cost.h"

struct Element;
struct Floorplan;

// One (width, height) candidate of a subtree, linked to the next.
struct Shape {
  int64_t width = 0;
  int64_t height = 0;
  Shape* next = nullptr;
};

// A list of Shapes, referred to by its first Shape; never empty. The list
// returned by ShapesOf belongs to the caller, who releases it with
// ReleaseShapes.
using ShapeList = Shape*;

// The pruned candidates of the subtree rooted at `element`, in the order of
// the combined list: for a Cut, each left candidate with each right one.
ShapeList ShapesOf(const Element* element);

void ReleaseShapes(ShapeList list);

// `cost`'s least over ShapesOf(root): by default the smallest width x
// height.
Area ReferenceCost(const Floorplan& floorplan,
                   const ShapeCost& cost = ShapeCost());

#endif  // FLOORPLAN_MODEL_SHAPE_LIST_H_
