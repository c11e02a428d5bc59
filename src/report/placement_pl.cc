#include "report/placement_pl.h"

#include "io/pl_file.h"

std::string PlacementPl(const ReportPlacement& placement) {
  std::string pl = std::string(kPlFileHeader) + "\n\n";
  for (const PlacedDataModule& row : placement.modules) {
    const PlacedModule& place = row.place;
    pl += row.module.name + " " + std::to_string(place.x) + " " +
          std::to_string(place.y) + (place.rotated ? " : E\n" : " : N\n");
  }
  return pl;
}
