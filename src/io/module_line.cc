#include "io/module_line.h"

#include "io/number_text.h"

namespace {

constexpr std::string_view kIdentifierDelimiters = "M \t\n";
constexpr std::string_view kSideDelimiters = " \t\n";

// Takes the next token of `rest` as a tokenizer over a C string does: leading
// delimiters are skipped, the token ends at the next delimiter, and that one
// delimiter is consumed with it.
bool NextToken(std::string_view* rest, std::string_view delimiters,
               std::string_view* token) {
  size_t start = rest->find_first_not_of(delimiters);
  if (start == std::string_view::npos) {
    *rest = std::string_view();
    return false;
  }
  size_t end = rest->find_first_of(delimiters, start);
  if (end == std::string_view::npos) {
    *token = rest->substr(start);
    *rest = std::string_view();
  } else {
    *token = rest->substr(start, end - start);
    *rest = rest->substr(end + 1);
  }
  return true;
}

}  // namespace

ModuleLine ParseModuleLine(std::string_view line) {
  ModuleLine result;
  size_t nul = line.find('\0');
  if (nul != std::string_view::npos) line = line.substr(0, nul);

  std::string_view rest = line;
  std::string_view token;
  if (!NextToken(&rest, kIdentifierDelimiters, &token)) return result;
  result.hasIdentifier = true;
  result.identifier = static_cast<int32_t>(ParseLeadingInteger(token));
  if (!NextToken(&rest, kSideDelimiters, &token)) return result;
  result.width = static_cast<uint16_t>(ParseLeadingInteger(token));
  if (!NextToken(&rest, kSideDelimiters, &token)) return result;
  result.height = static_cast<uint16_t>(ParseLeadingInteger(token));
  result.complete = true;
  if (NextToken(&rest, kSideDelimiters, &token)) result.name = token;
  return result;
}
