#include "report/report_placement.h"

ReportPlacement JoinPlacement(const Placement& placement,
                              const std::vector<DataModule>& modules,
                              const std::vector<size_t>& dataIndex) {
  ReportPlacement joined;
  joined.modules.resize(modules.size());
  for (size_t k = 0; k < dataIndex.size() && k < placement.modules.size();
       ++k) {
    PlacedDataModule& row = joined.modules[dataIndex[k]];
    row.module = modules[dataIndex[k]];
    row.place = placement.modules[k];
  }
  joined.width = placement.width;
  joined.height = placement.height;
  return joined;
}

Area BoxAreaOf(const ReportPlacement& placement) {
  return BoxArea(placement.width, placement.height);
}

Area ModuleAreaOf(const ReportPlacement& placement) {
  Area total = 0;
  for (const PlacedDataModule& row : placement.modules) {
    total += BoxArea(row.module.width, row.module.height);
  }
  return total;
}

bool AnyName(const ReportPlacement& placement) {
  for (const PlacedDataModule& row : placement.modules) {
    if (!row.module.name.empty()) return true;
  }
  return false;
}

bool FitsOutline(const ReportPlacement& placement) {
  return placement.hasOutline && placement.width <= placement.outline.width &&
         placement.height <= placement.outline.height;
}
