#include "convert/bookshelf_blocks.h"

#include <string>

#include "io/input_format.h"
#include "convert/outline.h"
#include "io/benchmark_lines.h"

namespace {

constexpr std::string_view kHardCountKey = "NumHardRectilinearBlocks";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Like NextWord, for an outline: each '(', ',' and ')' is a token of its own
// however the file spaces them.
std::string_view NextOutlineToken(std::string_view text, size_t* at) {
  auto isMark = [](char c) { return c == '(' || c == ',' || c == ')'; };
  while (*at < text.size() && IsBlank(text[*at])) ++*at;
  size_t start = *at;
  if (*at < text.size() && isMark(text[*at])) {
    ++*at;
  } else {
    while (*at < text.size() && !IsBlank(text[*at]) && !isMark(text[*at])) {
      ++*at;
    }
  }
  return text.substr(start, *at - start);
}

// A hard block line: `name hardrectilinear N (x, y) ...`, `outline` being
// what follows the type word. Corners beyond the N announced are counted but
// not kept.
bool ParseHardBlock(std::string_view name, std::string_view outline,
                    HardBlock* block, std::string* reason) {
  std::string shown = "block " + PrintableName(name);
  size_t at = 0;
  int64_t count = 0;
  if (!ParseCoordinate(NextOutlineToken(outline, &at), &count) || count < 0) {
    *reason = shown + ": expected the number of corners after hardrectilinear";
    return false;
  }
  if (count > kCornerLimit) {
    *reason = shown + " announces " + std::to_string(count) +
              " corners, more than the " + std::to_string(kCornerLimit) +
              " an outline may have";
    return false;
  }
  std::vector<OutlinePoint> points;
  int64_t given = 0;
  for (;;) {
    std::string_view t[5];
    for (std::string_view& token : t) token = NextOutlineToken(outline, &at);
    if (t[0].empty()) break;
    OutlinePoint point;
    if (t[0] != "(" || t[2] != "," || t[4] != ")" ||
        !ParseCoordinate(t[1], &point.x) || !ParseCoordinate(t[3], &point.y)) {
      *reason = shown + ": expected a corner \"(x, y)\" at \"" +
                PrintableName(t[0]) + "\"";
      return false;
    }
    if (given++ < count) points.push_back(point);
  }
  if (given != count) {
    *reason = shown + " gives " + std::to_string(given) + " corners, not the " +
              std::to_string(count) + " it announces";
    return false;
  }
  std::string outlineReason;
  if (!RectangleOfOutline(points, &block->width, &block->height,
                          &outlineReason)) {
    *reason = shown + " " + outlineReason;
    return false;
  }
  block->name = std::string(name);
  return true;
}

}  // namespace

bool ReadBookshelfBlocks(std::string_view text, std::vector<HardBlock>* blocks,
                         InputError* error) {
  blocks->clear();
  bool header = false;
  bool content = false;   // a line other than the header read
  int64_t declared = -1;  // NumHardRectilinearBlocks, once given
  uint64_t declaredLine = 0;
  BenchmarkLines lines(text);
  uint64_t lineNumber = 0;
  auto fail = [&](uint64_t line, std::string reason) {
    *error = {line, std::move(reason)};
    return false;
  };
  std::string_view line;
  while (lines.Next(&line, &lineNumber)) {
    size_t wordAt = 0;
    std::string_view first = NextWord(line, &wordAt);

    if (first == kBookshelfHeader) {
      if (header) return fail(lineNumber, "a second header line");
      if (content) {
        return fail(lineNumber,
                    "the header \"UCSC blocks\" after other "
                    "lines: it must come first");
      }
      std::string_view kind = NextWord(line, &wordAt);
      NextWord(line, &wordAt);  // the version, if any
      if (kind != "blocks" || !NextWord(line, &wordAt).empty()) {
        return fail(lineNumber,
                    "expected the header \"UCSC blocks\", with an optional "
                    "version");
      }
      header = true;
      continue;
    }
    content = true;

    // A block line never holds a colon, so a block named Num... is no
    // count line.
    size_t colon = line.find(':');
    if (first.substr(0, 3) == "Num" && colon != std::string_view::npos) {
      std::string_view key = Trimmed(line.substr(0, colon));
      int64_t value = 0;
      if (key.find_first_of(" \t") != std::string_view::npos ||
          !ParseCoordinate(Trimmed(line.substr(colon + 1)), &value) ||
          value < 0) {
        return fail(lineNumber,
                    "expected \"" + PrintableName(first) + " : NUMBER\"");
      }
      if (key == kHardCountKey) {
        if (declared >= 0) {
          return fail(lineNumber,
                      "a second " + std::string(kHardCountKey) + " line");
        }
        declared = value;
        declaredLine = lineNumber;
      }
      continue;
    }

    std::string shown = "block " + PrintableName(first);
    std::string_view type = NextWord(line, &wordAt);
    if (type.empty()) {
      return fail(lineNumber,
                  shown + ": no type (hardrectilinear or terminal)");
    }
    if (type == "terminal") {
      if (!NextWord(line, &wordAt).empty()) {
        return fail(lineNumber, "terminal " + PrintableName(first) +
                                    ": nothing may follow \"terminal\"");
      }
      continue;
    }
    if (type == "softrectangular" || type == "softrectilinear") {
      return fail(lineNumber, PrintableName(first) + " is a soft block (" +
                                  std::string(type) +
                                  "): soft blocks have no fixed sides");
    }
    if (type != "hardrectilinear") {
      return fail(lineNumber, shown + ": the type \"" + PrintableName(type) +
                                  "\" is not understood");
    }
    if (blocks->size() == kBlockLimit) {
      return fail(lineNumber, shown + ": more than " +
                                  std::to_string(kBlockLimit) + " blocks");
    }
    HardBlock block;
    std::string reason;
    if (!ParseHardBlock(first, line.substr(wordAt), &block, &reason)) {
      return fail(lineNumber, reason);
    }
    block.line = lineNumber;
    blocks->push_back(std::move(block));
  }
  if (!lines.error().reason.empty()) {
    *error = lines.error();
    return false;
  }
  if (declared >= 0 && static_cast<size_t>(declared) != blocks->size()) {
    return fail(declaredLine,
                std::string(kHardCountKey) + " is " + std::to_string(declared) +
                    ", but the file has " + std::to_string(blocks->size()) +
                    " hard blocks");
  }
  return true;
}
