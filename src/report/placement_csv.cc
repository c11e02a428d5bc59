#include "report/placement_csv.h"

#include "report/text_escape.h"

std::string PlacementCsv(const PlacementTable& table) {
  std::string csv = "id,name,x,y,width,height,rotated\r\n";
  for (const TableRow& row : table.rows) {
    csv += std::to_string(row.identifier) + "," + CsvField(row.name) + "," +
           std::to_string(row.x) + "," + std::to_string(row.y) + "," +
           std::to_string(row.width) + "," + std::to_string(row.height) + "," +
           (row.rotated ? "1" : "0") + "\r\n";
  }
  return csv;
}
