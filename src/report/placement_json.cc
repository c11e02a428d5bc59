#include "report/placement_json.h"

#include <cstdio>

#include "report/text_escape.h"
#include "report/wirelength.h"

std::string PlacementJson(const ReportPlacement& placement) {
  Area box = BoxAreaOf(placement);
  Area moduleArea = ModuleAreaOf(placement);
  char deadSpace[32];
  snprintf(deadSpace, sizeof deadSpace, "%.4f",
           DeadSpacePercent(box, moduleArea));
  std::string json = "{\n  \"width\": " + std::to_string(placement.width) +
                     ",\n  \"height\": " + std::to_string(placement.height) +
                     ",\n  \"area\": " + AreaText(box) +
                     ",\n  \"module_area\": " + AreaText(moduleArea) +
                     ",\n  \"dead_space_percent\": " + deadSpace;
  if (placement.hasWirelength) {
    json += ",\n  \"wirelength\": " + HalfText(placement.doubledWirelength);
  }
  if (placement.hasOutline) {
    json += ",\n  \"outline\": {\"width\": " +
            std::to_string(placement.outline.width) +
            ", \"height\": " + std::to_string(placement.outline.height) +
            ", \"fits\": " + (FitsOutline(placement) ? "true" : "false") + "}";
  }
  json += ",\n  \"modules\": [";
  for (size_t k = 0; k < placement.modules.size(); ++k) {
    const DataModule& module = placement.modules[k].module;
    const PlacedModule& place = placement.modules[k].place;
    json += (k == 0 ? "\n    " : ",\n    ");
    json += "{\"id\": " + std::to_string(module.identifier) +
            ", \"name\": " + JsonString(module.name) +
            ", \"x\": " + std::to_string(place.x) +
            ", \"y\": " + std::to_string(place.y) +
            ", \"width\": " + std::to_string(place.width) +
            ", \"height\": " + std::to_string(place.height) +
            ", \"rotated\": " + (place.rotated ? "true" : "false") + "}";
  }
  json += placement.modules.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return json;
}
