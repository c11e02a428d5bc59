#include "io/pl_file.h"

#include <string>
#include <unordered_map>

#include "io/benchmark_lines.h"
#include "io/block_file.h"
#include "io/number_text.h"

bool ReadPlFile(std::string_view text, std::vector<PlFileEntry>* entries,
                InputError* error) {
  entries->clear();
  BenchmarkLines lines(text);
  std::string_view line;
  uint64_t number = 0;
  // Where each name was first given, to refuse it a second time.
  std::unordered_map<std::string_view, uint64_t> firstLines;
  for (bool first = true; lines.Next(&line, &number); first = false) {
    size_t at = 0;
    std::string_view name = NextWord(line, &at);
    std::string_view x = NextWord(line, &at);
    if (first && name == "UCLA" && x == "pl") continue;  // the header
    std::string_view y = NextWord(line, &at);
    PlFileEntry entry{std::string(name), 0, 0, number};
    if (!ParseSignedWholeNumber(x, kBlockFileCoordinateLimit, &entry.x) ||
        !ParseSignedWholeNumber(y, kBlockFileCoordinateLimit, &entry.y)) {
      std::string limit = std::to_string(kBlockFileCoordinateLimit);
      *error = {number,
                "expected \"NAME X Y\" with whole-number coordinates from -" +
                    limit + " to " + limit};
      return false;
    }
    auto [found, added] = firstLines.emplace(name, number);
    if (!added) {
      *error = {number, "a second line for " + PrintableName(name) +
                            " (the first is line " +
                            std::to_string(found->second) + ")"};
      return false;
    }
    if (entries->size() == kBlockLimit) {
      *error = {number, "more than the " + std::to_string(kBlockLimit) +
                            " names a file may place"};
      return false;
    }
    entries->push_back(std::move(entry));
  }
  if (!lines.error().reason.empty()) {
    *error = lines.error();
    return false;
  }
  return true;
}
