#include "report/placement_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "report/text_escape.h"
#include "report/wirelength.h"

namespace {

constexpr int kColumns = 6;

}  // namespace

std::string PlacementText(const ReportPlacement& placement) {
  static const char* const kHeaders[kColumns] = {"module", "x",      "y",
                                                 "width",  "height", "rotated"};
  std::vector<std::array<std::string, kColumns>> cells;
  cells.reserve(placement.modules.size() + 1);
  cells.push_back({});
  std::copy(kHeaders, kHeaders + kColumns, cells.back().begin());
  for (const PlacedDataModule& row : placement.modules) {
    const PlacedModule& place = row.place;
    cells.push_back({std::to_string(row.module.identifier),
                     std::to_string(place.x), std::to_string(place.y),
                     std::to_string(place.width), std::to_string(place.height),
                     place.rotated ? "1" : "0"});
  }
  bool anyName = AnyName(placement);
  size_t widths[kColumns] = {};
  for (const auto& line : cells) {
    for (int column = 0; column < kColumns; ++column) {
      widths[column] = std::max(widths[column], line[column].size());
    }
  }

  std::string text;
  for (size_t k = 0; k < cells.size(); ++k) {
    for (int column = 0; column < kColumns; ++column) {
      const std::string& cell = cells[k][column];
      std::string padding(widths[column] - cell.size(), ' ');
      if (column > 0) text += "  ";
      // The identifier is aligned left, the numbers right.
      text += column == 0 ? cell + padding : padding + cell;
    }
    if (anyName) {
      text +=
          "  " + (k == 0 ? std::string("name")
                         : TerminalText(placement.modules[k - 1].module.name));
    }
    text += '\n';
  }

  Area box = BoxAreaOf(placement);
  Area moduleArea = ModuleAreaOf(placement);
  text += "\nbounding width   " + std::to_string(placement.width) + "\n";
  text += "bounding height  " + std::to_string(placement.height) + "\n";
  text += "area             " + AreaText(box) + "\n";
  text += "module area      " + AreaText(moduleArea) + "\n";
  text += "dead space       " + DeadSpaceText(box, moduleArea) + "\n";
  if (placement.height > 0) {
    char line[128];
    snprintf(line, sizeof line, "aspect ratio     %.3f (width / height)\n",
             static_cast<double>(placement.width) /
                 static_cast<double>(placement.height));
    text += line;
  } else {
    text += "aspect ratio     undefined (height 0)\n";
  }
  if (placement.hasWirelength) {
    text += "wirelength       " + HalfText(placement.doubledWirelength) + "\n";
  }
  if (placement.hasOutline) {
    std::string box = std::to_string(placement.width) + " x " +
                      std::to_string(placement.height);
    text += "outline          " + std::to_string(placement.outline.width) +
            " " + std::to_string(placement.outline.height) +
            (FitsOutline(placement) ? ": fits as " + box
                                    : ": does not fit (closest " + box + ")") +
            "\n";
  }
  return text;
}

std::string PictureLine(const std::string& picture) {
  return "picture          " + TerminalText(picture) + "\n";
}
