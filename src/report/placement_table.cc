#include "report/placement_table.h"

PlacementTable TabulatePlacement(const Placement& placement,
                                 const std::vector<DataModule>& modules,
                                 const std::vector<size_t>& dataIndex) {
  PlacementTable table;
  table.rows.resize(modules.size());
  for (size_t k = 0; k < dataIndex.size() && k < placement.modules.size();
       ++k) {
    const PlacedModule& placed = placement.modules[k];
    const DataModule& module = modules[dataIndex[k]];
    TableRow& row = table.rows[dataIndex[k]];
    row.identifier = module.identifier;
    row.name = module.name;
    row.x = placed.x;
    row.y = placed.y;
    row.width = placed.width;
    row.height = placed.height;
    row.rotated = placed.rotated;
    table.anyName = table.anyName || !module.name.empty();
  }
  PlacementSummary& summary = table.summary;
  summary.width = placement.width;
  summary.height = placement.height;
  summary.area = placement.area;
  summary.moduleArea = TotalModuleArea(modules);
  summary.deadSpacePercent = DeadSpacePercent(summary.area, summary.moduleArea);
  return table;
}
