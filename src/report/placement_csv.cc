#include "report/placement_csv.h"

#include "report/text_escape.h"

std::string PlacementCsv(const ReportPlacement& placement) {
  std::string csv = "id,name,x,y,width,height,rotated\r\n";
  for (const PlacedDataModule& row : placement.modules) {
    const PlacedModule& place = row.place;
    csv += std::to_string(row.module.identifier) + "," +
           CsvField(row.module.name) + "," + std::to_string(place.x) + "," +
           std::to_string(place.y) + "," + std::to_string(place.width) + "," +
           std::to_string(place.height) + "," + (place.rotated ? "1" : "0") +
           "\r\n";
  }
  return csv;
}
