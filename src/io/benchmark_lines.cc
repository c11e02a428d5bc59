#include "io/benchmark_lines.h"

#include "io/leading_matter.h"

bool BenchmarkLines::Next(std::string_view* line, uint64_t* number) {
  if (!started_) {
    started_ = true;
    uint64_t first = 1;
    if (!SkipLeadingMatter(text_, &at_, &first, &error_)) {
      at_ = text_.size();
      return false;
    }
    line_ = first - 1;
  }
  while (at_ < text_.size()) {
    size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view whole = text_.substr(at_, end - at_);
    at_ = end + (end < text_.size() ? 1 : 0);
    ++line_;
    if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
    whole = whole.substr(0, whole.find('#'));
    size_t wordAt = 0;
    if (NextWord(whole, &wordAt).empty()) continue;
    *line = whole;
    *number = line_;
    return true;
  }
  return false;
}

std::string_view NextWord(std::string_view line, size_t* at) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (*at < line.size() && blank(line[*at])) ++*at;
  size_t start = *at;
  while (*at < line.size() && !blank(line[*at])) ++*at;
  return line.substr(start, *at - start);
}

bool SplitKeyLine(std::string_view line, std::string_view* key,
                  std::string_view* value) {
  size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  std::string_view before = line.substr(0, colon);
  size_t at = 0;
  *key = NextWord(before, &at);
  if (key->empty() || !NextWord(before, &at).empty()) return false;
  *value = line.substr(colon + 1);
  return true;
}
