// The placement as a GSRC placement file (.pl), which the suites' own tools
// read:
//
//   UCLA pl 1.0
//
//   bk1 448 707 : E
//   bk10a 182 0 : N
//
// one line per module in data-file order: its name, its lower-left corner,
// and its orientation, N with its sides as the data file gives them or E
// turned by 90 degrees. Every module needs a name of its own
// (CheckModuleNames): the report refuses a data file without before
// writing any.
#ifndef FLOORPLAN_REPORT_PLACEMENT_PL_H_
#define FLOORPLAN_REPORT_PLACEMENT_PL_H_

#include <string>

#include "report/report_placement.h"

std::string PlacementPl(const ReportPlacement& placement);

#endif  // FLOORPLAN_REPORT_PLACEMENT_PL_H_
