// The final solution's placement joined once with the data file: every
// module of the file, in file order, with where the floorplan put it. The
// table, CSV, JSON and the picture all read this one record, and work out
// what they show from it. A plain value: it keeps no pointer into its
// sources.
#ifndef FLOORPLAN_REPORT_REPORT_PLACEMENT_H_
#define FLOORPLAN_REPORT_REPORT_PLACEMENT_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "io/data_file.h"
#include "model/area.h"
#include "model/shape_cost.h"
#include "report/placement.h"

// One module as the data file gives it, and where it went.
struct PlacedDataModule {
  DataModule module;
  PlacedModule place;
};

struct ReportPlacement {
  std::vector<PlacedDataModule> modules;  // in data-file order
  int64_t width = 0;                      // of the bounding box
  int64_t height = 0;
  // The fixed outline the floorplan was measured against, when one was
  // given; the box is then the shape of least cost against it.
  bool hasOutline = false;
  Outline outline;
  // Twice the wirelength over the nets, when they were given (wirelength.h).
  bool hasWirelength = false;
  Area doubledWirelength = 0;
};

// `dataIndex[k]` is the data-file index of the k-th module of the placement,
// as MatchExpression gives it; every data module is placed once.
ReportPlacement JoinPlacement(const Placement& placement,
                              const std::vector<DataModule>& modules,
                              const std::vector<size_t>& dataIndex);

// The bounding box's area, and the sum of the modules' own areas.
Area BoxAreaOf(const ReportPlacement& placement);
Area ModuleAreaOf(const ReportPlacement& placement);
// Whether some module of the data file has a name.
bool AnyName(const ReportPlacement& placement);
// Whether the bounding box fits in the outline (false without one).
bool FitsOutline(const ReportPlacement& placement);

#endif  // FLOORPLAN_REPORT_REPORT_PLACEMENT_H_
