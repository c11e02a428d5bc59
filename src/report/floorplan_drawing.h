// The floorplan part of the picture: the bounding box and every module to
// scale, each filled in a colour of its own, turned modules outlined in
// dashes, and each labelled where the label can be read; and the fixed
// outline, where there is one, as a red dashed rectangle from the same
// lower-left corner, the scale chosen to show both. The drawing sits in a
// nested viewport in the floorplan's own integer coordinates, so it is
// exact at any zoom.
#ifndef FLOORPLAN_REPORT_FLOORPLAN_DRAWING_H_
#define FLOORPLAN_REPORT_FLOORPLAN_DRAWING_H_

#include <cstdint>
#include <string>
#include <vector>

#include "report/report_placement.h"
#include "report/svg_document.h"

// A label that would be drawn smaller than this many pixels is left out:
// unreadable, it would only blot the module. Its module's tooltip still
// names it.
constexpr double kSmallestLabelPixels = 6;

// Draws `placement` into the page area `width` pixels wide (from `left`) and
// at most `maxHeight` high, from `top` down, each module labelled with its
// name (its identifier where it has none) and described on hovering.
// Returns the height it took.
double DrawFloorplan(const ReportPlacement& placement, double left, double top,
                     double width, double maxHeight, SvgDocument* svg);

// A distinct, light fill per identifier: hues a golden angle apart.
std::string FillColour(int32_t identifier);

#endif  // FLOORPLAN_REPORT_FLOORPLAN_DRAWING_H_
