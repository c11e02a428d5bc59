#include "io/input_format.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "io/block_file.h"
#include "io/leading_matter.h"

namespace {

bool StartsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t k = 0; k < word.size(); ++k) {
    if (std::toupper(static_cast<unsigned char>(text[k])) != word[k]) {
      return false;
    }
  }
  if (text.size() == word.size()) return true;
  char next = text[word.size()];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n' ||
         next == ';' || next == '/';
}

constexpr std::string_view kNeither =
    "not a file the converter reads: GSRC blocks begin with \"UCSC blocks\" "
    "or a count such as \"NumHardRectilinearBlocks : 100\", course blocks "
    "with \"Outline: W H\", YAL with a MODULE statement";

// A "KEY : ..." line, with or without blanks before the colon.
bool StartsWithKey(std::string_view text, std::string_view key) {
  if (text.compare(0, key.size(), key) != 0) return false;
  size_t at = key.size();
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  return at < text.size() && text[at] == ':';
}

bool IsBookshelfStart(std::string_view text) {
  if (text.compare(0, kBookshelfHeader.size(), kBookshelfHeader) == 0) {
    return true;
  }
  for (std::string_view key : kBookshelfCountKeys) {
    if (StartsWithKey(text, key)) return true;
  }
  return false;
}

}  // namespace

bool DetectInputFormat(std::string_view text, InputFormat* format,
                       InputError* error) {
  size_t at = 0;
  uint64_t line = 1;
  if (!SkipLeadingMatter(text, &at, &line, error)) return false;
  std::string_view rest = text.substr(at);
  if (IsBookshelfStart(rest)) {
    *format = InputFormat::kBookshelfBlocks;
    return true;
  }
  if (StartsWithKey(rest, kBlockFileOutlineKey)) {
    *format = InputFormat::kCourseBlocks;
    return true;
  }
  if (StartsWithWord(rest, "MODULE")) {
    *format = InputFormat::kYal;
    return true;
  }
  // A file ending in a line feed has no line after it to point at.
  line = std::min(line, LastLine(text));
  if (text.empty()) {
    *error = {line, "no blocks: the file is empty"};
  } else if (rest.empty()) {
    *error = {line, "no blocks: nothing but comments and blank lines"};
  } else {
    *error = {line, std::string(kNeither)};
  }
  return false;
}

const char* FormatName(InputFormat format) {
  switch (format) {
    case InputFormat::kBookshelfBlocks:
      return "a GSRC blocks file";
    case InputFormat::kCourseBlocks:
      return "a course block file";
    case InputFormat::kYal:
      break;
  }
  return "a YAL file";
}

uint64_t LastLine(std::string_view text) {
  uint64_t lines =
      static_cast<uint64_t>(std::count(text.begin(), text.end(), '\n'));
  if (!text.empty() && text.back() != '\n') ++lines;
  return std::max<uint64_t>(lines, 1);
}
