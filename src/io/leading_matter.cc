#include "io/leading_matter.h"

#include <algorithm>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool SkipLeadingMatter(std::string_view text, size_t* at, uint64_t* line,
                       InputError* error) {
  *line = 1;
  *at = text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0
            ? kByteOrderMark.size()
            : 0;
  while (*at < text.size()) {
    char c = text[*at];
    if (c == '\n') {
      ++*line;
      ++*at;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      ++*at;
    } else if (c == '#') {
      *at = std::min(text.size(), text.find('\n', *at));
    } else if (text.compare(*at, 2, "/*") == 0) {
      size_t end = text.find("*/", *at + 2);
      if (end == std::string_view::npos) {
        *error = {*line, "a comment that is never closed"};
        return false;
      }
      *line += static_cast<uint64_t>(
          std::count(text.begin() + *at, text.begin() + end, '\n'));
      *at = end + 2;
    } else {
      break;
    }
  }
  return true;
}
