// The report's picture: one self-contained SVG document (no scripts, fonts or
// links to fetch). A title line and a summary line (module count, bounding
// box, area, dead space, moves, the temperature's range where the log gives
// it), the floorplan to scale (floorplan_drawing.h) and below it the run
// (run_chart.h).
#ifndef FLOORPLAN_REPORT_SVG_PICTURE_H_
#define FLOORPLAN_REPORT_SVG_PICTURE_H_

#include <string>

#include "report/floorplan_drawing.h"
#include "report/run_chart.h"

// Everything the picture shows; it refers to, and does not own, the
// placement and the curve.
struct PictureInput {
  std::string title;
  const ReportPlacement* placement = nullptr;
  RunChart run;
};

std::string RenderSvg(const PictureInput& input);

#endif  // FLOORPLAN_REPORT_SVG_PICTURE_H_
