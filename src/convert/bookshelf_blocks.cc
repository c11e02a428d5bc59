#include "convert/bookshelf_blocks.h"

#include <string>

#include "convert/input_format.h"
#include "convert/outline.h"
#include "io/leading_matter.h"

namespace {

constexpr std::string_view kHardCountKey = "NumHardRectilinearBlocks";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < text.size()) {
    if (IsBlank(text[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

// The words of an outline, with each '(', ',' and ')' a token of its own
// however the file spaces them.
std::vector<std::string_view> OutlineTokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  size_t at = 0;
  auto isMark = [](char c) { return c == '(' || c == ',' || c == ')'; };
  while (at < text.size()) {
    if (IsBlank(text[at])) {
      ++at;
    } else if (isMark(text[at])) {
      tokens.push_back(text.substr(at++, 1));
    } else {
      size_t end = at;
      while (end < text.size() && !IsBlank(text[end]) && !isMark(text[end])) {
        ++end;
      }
      tokens.push_back(text.substr(at, end - at));
      at = end;
    }
  }
  return tokens;
}

// "(x, y)" from tokens[*at...]; moves *at past it.
bool ParsePoint(const std::vector<std::string_view>& tokens, size_t* at,
                OutlinePoint* point) {
  if (tokens.size() - *at < 5) return false;
  const std::string_view* t = &tokens[*at];
  if (t[0] != "(" || t[2] != "," || t[4] != ")" ||
      !ParseCoordinate(t[1], &point->x) || !ParseCoordinate(t[3], &point->y)) {
    return false;
  }
  *at += 5;
  return true;
}

// A hard block line: `name hardrectilinear N (x, y) ...`, `outline` being
// what follows the type word.
bool ParseHardBlock(std::string_view name, std::string_view outline,
                    HardBlock* block, std::string* reason) {
  std::string shown = "block " + PrintableName(name);
  std::vector<std::string_view> tokens = OutlineTokens(outline);
  int64_t count = 0;
  if (tokens.empty() || !ParseCoordinate(tokens[0], &count) || count < 0) {
    *reason = shown + ": expected the number of corners after hardrectilinear";
    return false;
  }
  std::vector<OutlinePoint> points;
  size_t at = 1;
  while (at < tokens.size()) {
    OutlinePoint point;
    if (!ParsePoint(tokens, &at, &point)) {
      *reason = shown + ": expected a corner \"(x, y)\" at \"" +
                PrintableName(tokens[at]) + "\"";
      return false;
    }
    points.push_back(point);
  }
  if (static_cast<int64_t>(points.size()) != count) {
    *reason = shown + " gives " + std::to_string(points.size()) +
              " corners, not the " + std::to_string(count) + " it announces";
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
  int64_t declared = -1;  // NumHardRectilinearBlocks, once given
  uint64_t declaredLine = 0;
  size_t start = 0;
  uint64_t lineNumber = 1;
  if (!SkipLeadingMatter(text, &start, &lineNumber, error)) return false;
  --lineNumber;  // counted again as the first line is taken
  auto fail = [&](uint64_t line, std::string reason) {
    *error = {line, std::move(reason)};
    return false;
  };
  for (size_t at = start; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;

    if (words[0] == "UCSC") {
      if (header) return fail(lineNumber, "a second header line");
      if (words.size() < 2 || words.size() > 3 || words[1] != "blocks") {
        return fail(lineNumber,
                    "expected the header \"UCSC blocks\", with an optional "
                    "version");
      }
      header = true;
      continue;
    }
    if (!header) {
      return fail(lineNumber,
                  "expected the header \"UCSC blocks\" before anything else");
    }

    // A block line never holds a colon, so a block named Num... is no
    // count line.
    size_t colon = line.find(':');
    if (words[0].substr(0, 3) == "Num" && colon != std::string_view::npos) {
      std::string_view key = Trimmed(line.substr(0, colon));
      int64_t value = 0;
      if (Words(key).size() != 1 ||
          !ParseCoordinate(Trimmed(line.substr(colon + 1)), &value) ||
          value < 0) {
        return fail(lineNumber,
                    "expected \"" + PrintableName(words[0]) + " : NUMBER\"");
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

    std::string shown = "block " + PrintableName(words[0]);
    if (words.size() < 2) {
      return fail(lineNumber,
                  shown + ": no type (hardrectilinear or terminal)");
    }
    std::string_view type = words[1];
    if (type == "terminal") {
      if (words.size() != 2) {
        return fail(lineNumber, "terminal " + PrintableName(words[0]) +
                                    ": nothing may follow \"terminal\"");
      }
      continue;
    }
    if (type == "softrectangular") {
      return fail(lineNumber, shown +
                                  " is a soft block (softrectangular): only "
                                  "hard blocks can be converted");
    }
    if (type != "hardrectilinear") {
      return fail(lineNumber, shown + ": the type \"" + PrintableName(type) +
                                  "\" is not understood");
    }
    HardBlock block;
    std::string reason;
    size_t outlineStart =
        static_cast<size_t>(type.data() - line.data()) + type.size();
    if (!ParseHardBlock(words[0], line.substr(outlineStart), &block, &reason)) {
      return fail(lineNumber, reason);
    }
    block.line = lineNumber;
    blocks->push_back(std::move(block));
  }

  if (!header) {
    return fail(LastLine(text), "no header \"UCSC blocks\"");
  }
  if (declared >= 0 && static_cast<size_t>(declared) != blocks->size()) {
    return fail(declaredLine,
                std::string(kHardCountKey) + " is " + std::to_string(declared) +
                    ", but the file has " + std::to_string(blocks->size()) +
                    " hard blocks");
  }
  return true;
}
