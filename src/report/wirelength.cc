#include "report/wirelength.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "io/block_file.h"
#include "io/input_format.h"
#include "io/leading_matter.h"
#include "io/net_file.h"
#include "io/pl_file.h"
#include "io/text_file.h"

namespace {

// A pin's place in doubled coordinates.
struct Point {
  int64_t x = 0;
  int64_t y = 0;
};

// The terminals of a course block file or a GSRC .pl file, told apart by
// the first word; the entries own the names the map's keys view.
bool ReadTerminals(const std::string& path, std::vector<PlFileEntry>* entries,
                   std::unordered_map<std::string_view, Point>* terminals,
                   std::string* error) {
  std::string text;
  std::string reason;
  if (!ReadTextFile(path, kBenchmarkFileLimit, &text, &reason)) {
    *error = path + ": " + reason;
    return false;
  }
  InputFormat format;
  InputError refusal;
  if (DetectInputFormat(text, &format, &refusal)) {
    if (format != InputFormat::kCourseBlocks) {
      size_t start = 0;
      uint64_t line = 1;
      SkipLeadingMatter(text, &start, &line, &refusal);
      *error = path + ":" + std::to_string(line) + ": " + FormatName(format) +
               ", which places no terminals: give a GSRC .pl or a course "
               ".block file";
      return false;
    }
    BlockFile file;
    if (!ReadBlockFile(text, &file, &refusal)) {
      *error = RefusalMessage(path, refusal);
      return false;
    }
    for (BlockFileTerminal& pad : file.terminals) {
      entries->push_back({std::move(pad.name), pad.x, pad.y, pad.line});
    }
  } else if (!ReadPlFile(text, entries, &refusal)) {
    *error = RefusalMessage(path, refusal);
    return false;
  }
  for (const PlFileEntry& entry : *entries) {
    (*terminals)[entry.name] = {2 * entry.x, 2 * entry.y};
  }
  return true;
}

}  // namespace

bool CheckModuleNames(const ReportPlacement& placement, const std::string& data,
                      const std::string& use, std::string* error) {
  std::unordered_map<std::string_view, uint64_t> lines;
  for (const PlacedDataModule& row : placement.modules) {
    const DataModule& module = row.module;
    std::string at = data + ":" + std::to_string(module.line) + ": ";
    if (module.name.empty()) {
      *error = at + "module " + std::to_string(module.identifier) +
               " has no name, and " + use + " (floorplan-convert writes names)";
      return false;
    }
    auto [first, added] = lines.emplace(module.name, module.line);
    if (!added) {
      *error = at + "a second module named " + PrintableName(module.name) +
               " (the first is on line " + std::to_string(first->second) +
               "), and " + use;
      return false;
    }
  }
  return true;
}

bool MeasureWirelength(const WirelengthFiles& files,
                       const ReportPlacement& placement, Area* doubled,
                       std::string* error) {
  if (!CheckModuleNames(placement, files.data, "--nets finds modules by name",
                        error)) {
    return false;
  }
  std::unordered_map<std::string_view, Point> modules;
  for (const PlacedDataModule& row : placement.modules) {
    const PlacedModule& place = row.place;
    modules[row.module.name] = {2 * place.x + place.width,
                                2 * place.y + place.height};
  }
  std::vector<PlFileEntry> entries;
  std::unordered_map<std::string_view, Point> terminals;
  if (!files.terminals.empty() &&
      !ReadTerminals(files.terminals, &entries, &terminals, error)) {
    return false;
  }
  std::string text;
  std::string reason;
  if (!ReadTextFile(files.nets, kBenchmarkFileLimit, &text, &reason)) {
    *error = files.nets + ": " + reason;
    return false;
  }

  // The box of the net being read, added to the total when the next begins.
  uint64_t net = 0;
  bool open = false;
  Point low;
  Point high;
  Area total = 0;
  auto close = [&] {
    if (open) total += Area{high.x - low.x} + Area{high.y - low.y};
  };
  auto visit = [&](const NetPin& pin, InputError* refusal) {
    // A module's name wins over a terminal's: a .pl may place blocks too.
    const Point* place = nullptr;
    for (const auto* names : {&modules, &terminals}) {
      auto found = names->find(pin.name);
      if (place == nullptr && found != names->end()) place = &found->second;
    }
    if (place == nullptr) {
      std::string name = PrintableName(pin.name);
      *refusal = {pin.line,
                  files.terminals.empty()
                      ? name + " is not a module of " + files.data +
                            "; if it is a terminal, give its coordinates "
                            "with --terminals"
                      : name + " is neither a module of " + files.data +
                            " nor a terminal of " + files.terminals};
      return false;
    }
    const Point& at = *place;
    if (!open || pin.net != net) {
      close();
      net = pin.net;
      open = true;
      low = high = at;
    }
    low = {std::min(low.x, at.x), std::min(low.y, at.y)};
    high = {std::max(high.x, at.x), std::max(high.y, at.y)};
    return true;
  };
  InputError refusal;
  if (!ReadNetFile(text, visit, &refusal)) {
    *error = RefusalMessage(files.nets, refusal);
    return false;
  }
  close();
  *doubled = total;
  return true;
}

std::string HalfText(Area doubled) {
  return AreaText(doubled / 2) + (doubled % 2 != 0 ? ".5" : "");
}
