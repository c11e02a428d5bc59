// The run in the picture, against the move number: the costs of the moves
// as a band, from the least to the greatest cost of the moves of each bucket
// of a few pixels; the best cost so far on top of it, its final value
// written at its end and marked by a round tick close by on the axis; the
// outline's area W x H as a line, where the picture has an outline; and,
// where the log gives it, the temperature. The cost axis turns logarithmic
// when the costs span a factor of kLogCostSpan or more, so that the first
// random floorplans, often many times the final area, do not press the rest
// of the run flat against the bottom, and it leaves room below the final
// cost so that the best so far stands clear of the frame; the temperature,
// which falls geometrically, is drawn on a logarithmic axis on the right.
#ifndef FLOORPLAN_REPORT_RUN_CHART_H_
#define FLOORPLAN_REPORT_RUN_CHART_H_

#include <cstddef>

#include "model/area.h"
#include "model/shape_cost.h"
#include "report/cost_curve.h"
#include "report/svg_document.h"

// The plot's width in pixels, and so the column limit of its CostCurve.
constexpr size_t kCurveColumns = 840;

constexpr double kLogCostSpan = 4;

// What the chart shows; it refers to, and does not own, the curve.
struct RunChart {
  const CostCurve* curve = nullptr;
  bool hasInitialCost = false;
  Area initialCost = 0;
  bool hasTemperature = false;
  bool hasOutline = false;
  Outline outline;
};

// Draws the chart on a page `pageWidth` pixels wide, from `top` down;
// returns the height it took.
double DrawRunChart(const RunChart& chart, double pageWidth, double top,
                    SvgDocument* svg);

#endif  // FLOORPLAN_REPORT_RUN_CHART_H_
