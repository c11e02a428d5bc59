// The report's picture: one self-contained SVG document (no scripts, fonts or
// links to fetch) with the floorplan drawn to scale, every module labelled,
// and below it the run: the cost of every move and the best cost so far
// against the move number, and the temperature where the log gives it.
//
// The floorplan is drawn in its own integer coordinates inside a nested
// viewport, so the drawing is exact at any zoom; the curve is drawn from a
// CostCurve of at most kCurveColumns columns, one per pixel of the plot, so
// the document stays small however long the run was.
#ifndef FLOORPLAN_REPORT_SVG_PICTURE_H_
#define FLOORPLAN_REPORT_SVG_PICTURE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "report/cost_curve.h"
#include "report/placement.h"

// The plot's width in pixels, and so the column limit of its CostCurve.
constexpr size_t kCurveColumns = 840;

// Everything the picture shows; it refers to, and does not own, the
// placement and the curve.
struct PictureInput {
  std::string title;  // the data file's name
  const Placement* placement = nullptr;
  std::vector<std::string> labels;  // per module of the placement
  std::vector<std::string> notes;   // per module, shown on hovering
  const CostCurve* curve = nullptr;
  bool hasInitialCost = false;
  Area initialCost = 0;
  bool hasTemperature = false;
};

std::string RenderSvg(const PictureInput& input);

// `text` made safe as XML character data or an attribute value: markup
// characters escaped, and control characters and bytes that are not UTF-8
// replaced by '?'.
std::string XmlText(const std::string& text);

#endif  // FLOORPLAN_REPORT_SVG_PICTURE_H_
