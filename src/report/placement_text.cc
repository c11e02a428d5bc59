#include "report/placement_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "report/text_escape.h"

namespace {

constexpr int kColumns = 6;

}  // namespace

std::string PlacementText(const PlacementTable& table,
                          const std::string& picture) {
  static const char* const kHeaders[kColumns] = {"module", "x",      "y",
                                                 "width",  "height", "rotated"};
  std::vector<std::array<std::string, kColumns>> cells;
  cells.reserve(table.rows.size() + 1);
  cells.push_back({});
  std::copy(kHeaders, kHeaders + kColumns, cells.back().begin());
  for (const TableRow& row : table.rows) {
    cells.push_back({std::to_string(row.identifier), std::to_string(row.x),
                     std::to_string(row.y), std::to_string(row.width),
                     std::to_string(row.height), row.rotated ? "1" : "0"});
  }
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
    if (table.anyName) {
      text += "  " + (k == 0 ? std::string("name")
                             : TerminalText(table.rows[k - 1].name));
    }
    text += '\n';
  }

  const PlacementSummary& summary = table.summary;
  char line[128];
  text += "\nbounding width   " + std::to_string(summary.width) + "\n";
  text += "bounding height  " + std::to_string(summary.height) + "\n";
  text += "area             " + AreaText(summary.area) + "\n";
  text += "module area      " + AreaText(summary.moduleArea) + "\n";
  snprintf(line, sizeof line, "dead space       %.2f%%\n",
           summary.deadSpacePercent);
  text += line;
  if (summary.height > 0) {
    snprintf(line, sizeof line, "aspect ratio     %.3f (width / height)\n",
             static_cast<double>(summary.width) /
                 static_cast<double>(summary.height));
    text += line;
  } else {
    text += "aspect ratio     undefined (height 0)\n";
  }
  if (!picture.empty()) {
    text += "picture          " + TerminalText(picture) + "\n";
  }
  return text;
}
