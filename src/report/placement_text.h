// The placement as a table for people (the report's default output): a
// header, one aligned row per module, then the summary. Names are shown
// through TerminalText, so a data file cannot send control sequences to the
// terminal of whoever reads the table.
#ifndef FLOORPLAN_REPORT_PLACEMENT_TEXT_H_
#define FLOORPLAN_REPORT_PLACEMENT_TEXT_H_

#include <string>

#include "report/report_placement.h"

// `picture` is the picture's path, named on the last line (none when empty).
std::string PlacementText(const ReportPlacement& placement,
                          const std::string& picture);

#endif  // FLOORPLAN_REPORT_PLACEMENT_TEXT_H_
