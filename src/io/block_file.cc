#include "io/block_file.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <utility>

#include "io/benchmark_lines.h"
#include "io/module_line.h"
#include "io/number_text.h"

namespace {

// The largest side a data file line carries.
constexpr int64_t kLargestSide =
    std::numeric_limits<decltype(ModuleLine::width)>::max();

// The lines that come first, in this order.
constexpr std::string_view kHeadKeys[] = {kBlockFileOutlineKey, "NumBlocks",
                                          "NumTerminals"};
constexpr const char* kHeadForms[] = {
    "Outline: WIDTH HEIGHT", "NumBlocks: NUMBER", "NumTerminals: NUMBER"};

// Which of kHeadKeys a "KEY: ..." line gives, with *values after its colon;
// -1 for any other line.
int HeadKey(std::string_view line, std::string_view* values) {
  size_t colon = line.find(':');
  if (colon == std::string_view::npos) return -1;
  size_t at = 0;
  std::string_view key = NextWord(line.substr(0, colon), &at);
  if (!NextWord(line.substr(0, colon), &at).empty()) return -1;
  for (int k = 0; k < 3; ++k) {
    if (key == kHeadKeys[k]) {
      *values = line.substr(colon + 1);
      return k;
    }
  }
  return -1;
}

// The whole numbers of `values`, exactly `count` of them, each within
// `lowest`..kBlockFileCoordinateLimit.
bool ParseValues(std::string_view values, int count, int64_t lowest,
                 int64_t* parsed) {
  size_t at = 0;
  for (int k = 0; k < count; ++k) {
    if (!ParseSignedWholeNumber(NextWord(values, &at), kBlockFileCoordinateLimit,
                           &parsed[k]) ||
        parsed[k] < lowest) {
      return false;
    }
  }
  return NextWord(values, &at).empty();
}

// Where a name was first given, to refuse it a second time.
struct NameUse {
  uint64_t line = 0;
  bool terminal = false;
};

}  // namespace

bool ReadBlockFile(std::string_view text, BlockFile* file, InputError* error) {
  *file = BlockFile();
  int64_t counts[2] = {0, 0};  // NumBlocks, NumTerminals
  uint64_t countLines[2] = {0, 0};
  int head = 0;  // the head lines read
  std::unordered_map<std::string_view, NameUse> names;
  BenchmarkLines lines(text);
  uint64_t lineNumber = 0;
  auto fail = [&](std::string reason) {
    *error = {std::max<uint64_t>(lineNumber, 1), std::move(reason)};
    return false;
  };
  std::string_view line;
  while (lines.Next(&line, &lineNumber)) {
    size_t wordAt = 0;
    std::string_view name = NextWord(line, &wordAt);

    std::string_view values;
    int key = HeadKey(line, &values);
    if (head < 3) {
      int64_t parsed[2];
      bool outline = head == 0;
      if (key != head ||
          !ParseValues(values, outline ? 2 : 1, outline ? 1 : 0, parsed)) {
        return fail("expected \"" + std::string(kHeadForms[head]) + "\"" +
                    (outline ? ", both from 1 to " +
                                   std::to_string(kBlockFileCoordinateLimit)
                             : ""));
      }
      if (outline) {
        file->outline = {parsed[0], parsed[1], lineNumber};
      } else if (parsed[0] > static_cast<int64_t>(kBlockLimit)) {
        return fail(std::string(kHeadKeys[head]) + " is " +
                    std::to_string(parsed[0]) + ": more than the " +
                    std::to_string(kBlockLimit) + " a file may hold");
      } else {
        counts[head - 1] = parsed[0];
        countLines[head - 1] = lineNumber;
      }
      ++head;
      continue;
    }
    if (key >= 0) {
      return fail("a second " + std::string(kHeadKeys[key]) + " line");
    }

    std::string shown = PrintableName(name);
    std::string_view second = NextWord(line, &wordAt);
    std::string_view third = NextWord(line, &wordAt);
    std::string_view fourth = NextWord(line, &wordAt);
    bool terminal = second == "terminal";
    if (!terminal && (third.empty() || !fourth.empty())) {
      return fail(
          "expected a block \"NAME WIDTH HEIGHT\" or a terminal "
          "\"NAME terminal X Y\"");
    }
    auto [first, added] = names.emplace(name, NameUse{lineNumber, terminal});
    if (!added) {
      const char* kind = terminal ? "terminal" : "block";
      const char* firstKind = first->second.terminal ? "terminal" : "block";
      std::string firstLine = std::to_string(first->second.line);
      return fail(terminal == first->second.terminal
                      ? "a second " + std::string(kind) + " named " + shown +
                            " (the first is on line " + firstLine + ")"
                      : std::string(kind) + " " + shown +
                            " has the name of the " + firstKind + " on line " +
                            firstLine);
    }
    size_t index = terminal ? file->terminals.size() : file->blocks.size();
    if (static_cast<int64_t>(index) == counts[terminal]) {
      const char* kind = terminal ? "terminal" : "block";
      return fail(std::string(kind) + " " + shown + " is " + kind + " " +
                  std::to_string(index + 1) + ", but " +
                  std::string(kHeadKeys[1 + terminal]) + " is " +
                  std::to_string(counts[terminal]) + " (line " +
                  std::to_string(countLines[terminal]) + ")");
    }
    if (terminal) {
      BlockFileTerminal pad{std::string(name), 0, 0, lineNumber};
      if (fourth.empty() || !NextWord(line, &wordAt).empty() ||
          !ParseSignedWholeNumber(third, kBlockFileCoordinateLimit, &pad.x) ||
          !ParseSignedWholeNumber(fourth, kBlockFileCoordinateLimit, &pad.y)) {
        return fail("terminal " + shown +
                    ": expected \"NAME terminal X Y\" with whole-number "
                    "coordinates");
      }
      file->terminals.push_back(std::move(pad));
      continue;
    }
    BlockFileBlock block{std::string(name), 0, 0, lineNumber};
    if (!ParseSignedWholeNumber(second, kLargestSide, &block.width) ||
        !ParseSignedWholeNumber(third, kLargestSide, &block.height) ||
        block.width < 1 || block.height < 1) {
      return fail("block " + shown + " is " + PrintableName(second) + " x " +
                  PrintableName(third) +
                  ": sides are whole numbers from 1 to " +
                  std::to_string(kLargestSide));
    }
    file->blocks.push_back(std::move(block));
  }
  if (!lines.error().reason.empty()) {
    *error = lines.error();
    return false;
  }
  lineNumber = lines.number();
  if (head < 3) {
    return fail("expected \"" + std::string(kHeadForms[head]) +
                "\" before the end of the file");
  }
  for (int terminal = 0; terminal < 2; ++terminal) {
    size_t given = terminal ? file->terminals.size() : file->blocks.size();
    if (static_cast<int64_t>(given) != counts[terminal]) {
      lineNumber = countLines[terminal];
      return fail(std::string(kHeadKeys[1 + terminal]) + " is " +
                  std::to_string(counts[terminal]) + ", but the file has " +
                  std::to_string(given) +
                  (terminal ? " terminals" : " blocks"));
    }
  }
  return true;
}
