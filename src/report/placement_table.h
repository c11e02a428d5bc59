// The placement as the report prints it: one row per module in data-file
// order, and the summary every format shows. Dead space is worked out here
// once, for the table, the machine formats and the picture alike. A plain
// value; it copies what it needs and keeps no pointer into its sources.
#ifndef FLOORPLAN_REPORT_PLACEMENT_TABLE_H_
#define FLOORPLAN_REPORT_PLACEMENT_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "io/data_file.h"
#include "model/area.h"
#include "report/placement.h"

// One module: its identifier and name as the data file gives them, and where
// it went (lower-left corner, sides as placed).
struct TableRow {
  int32_t identifier = 0;
  std::string name;  // raw bytes, empty when the line has none
  int64_t x = 0;
  int64_t y = 0;
  int64_t width = 0;
  int64_t height = 0;
  bool rotated = false;
};

struct PlacementSummary {
  int64_t width = 0;  // of the bounding box
  int64_t height = 0;
  Area area = 0;
  Area moduleArea = 0;  // the sum of the modules' own areas
  double deadSpacePercent = 0;
};

struct PlacementTable {
  std::vector<TableRow> rows;  // in data-file order
  PlacementSummary summary;
  bool anyName = false;  // whether some row has a name
};

// `dataIndex[k]` is the data-file index of the k-th module of the placement,
// as MatchExpression gives it; every data module is placed once.
PlacementTable TabulatePlacement(const Placement& placement,
                                 const std::vector<DataModule>& modules,
                                 const std::vector<size_t>& dataIndex);

#endif  // FLOORPLAN_REPORT_PLACEMENT_TABLE_H_
