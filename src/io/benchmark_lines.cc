#include "io/benchmark_lines.h"

#include "io/leading_matter.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool BenchmarkLines::Start(InputError* error) {
  if (!SkipLeadingMatter(text_, &at_, &number_, error)) return false;
  --number_;  // counted again as the first line is taken
  return true;
}

bool BenchmarkLines::Next(std::string_view* line, uint64_t* number) {
  if (at_ >= text_.size()) return false;
  size_t end = text_.find('\n', at_);
  if (end == std::string_view::npos) end = text_.size();
  *line = text_.substr(at_, end - at_);
  at_ = end + 1;
  *number = ++number_;
  if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
  *line = line->substr(0, line->find('#'));
  return true;
}

std::string_view NextWord(std::string_view text, size_t* at) {
  while (*at < text.size() && IsBlank(text[*at])) ++*at;
  size_t start = *at;
  while (*at < text.size() && !IsBlank(text[*at])) ++*at;
  return text.substr(start, *at - start);
}
