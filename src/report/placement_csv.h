// The placement as CSV (RFC 4180) for spreadsheets and scripts: a header row
// "id,name,x,y,width,height,rotated", then one row per module in data-file
// order, each line ended by CR LF. Names are carried byte for byte, quoted
// where they must be; `rotated` is 1 for a module turned by 90 degrees.
#ifndef FLOORPLAN_REPORT_PLACEMENT_CSV_H_
#define FLOORPLAN_REPORT_PLACEMENT_CSV_H_

#include <string>

#include "report/report_placement.h"

std::string PlacementCsv(const ReportPlacement& placement);

#endif  // FLOORPLAN_REPORT_PLACEMENT_CSV_H_
