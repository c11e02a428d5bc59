// The placement as a table for people (the report's default output): a
// header, one aligned row per module, then the summary. Names are shown
// through TerminalText, so a data file cannot send control sequences to the
// terminal of whoever reads the table.
#ifndef FLOORPLAN_REPORT_PLACEMENT_TEXT_H_
#define FLOORPLAN_REPORT_PLACEMENT_TEXT_H_

#include <string>

#include "report/report_placement.h"

std::string PlacementText(const ReportPlacement& placement);

// The table's last line, naming the picture at `picture`. The report writes
// it only once the picture is in place, so that the table never names a
// picture that was refused or failed.
std::string PictureLine(const std::string& picture);

#endif  // FLOORPLAN_REPORT_PLACEMENT_TEXT_H_
