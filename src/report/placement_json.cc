#include "report/placement_json.h"

#include <cstdio>

#include "report/text_escape.h"

std::string PlacementJson(const PlacementTable& table) {
  const PlacementSummary& summary = table.summary;
  char deadSpace[32];
  snprintf(deadSpace, sizeof deadSpace, "%.4f", summary.deadSpacePercent);
  std::string json = "{\n  \"width\": " + std::to_string(summary.width) +
                     ",\n  \"height\": " + std::to_string(summary.height) +
                     ",\n  \"area\": " + AreaText(summary.area) +
                     ",\n  \"module_area\": " + AreaText(summary.moduleArea) +
                     ",\n  \"dead_space_percent\": " + deadSpace +
                     ",\n  \"modules\": [";
  for (size_t k = 0; k < table.rows.size(); ++k) {
    const TableRow& row = table.rows[k];
    json += (k == 0 ? "\n    " : ",\n    ");
    json += "{\"id\": " + std::to_string(row.identifier) +
            ", \"name\": " + JsonString(row.name) +
            ", \"x\": " + std::to_string(row.x) +
            ", \"y\": " + std::to_string(row.y) +
            ", \"width\": " + std::to_string(row.width) +
            ", \"height\": " + std::to_string(row.height) +
            ", \"rotated\": " + (row.rotated ? "true" : "false") + "}";
  }
  json += table.rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return json;
}
