#include "io/number_text.h"

#include <cstdlib>
#include <string>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipSpace(std::string_view text, size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

size_t SkipDigits(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

uint32_t ParseLeadingInteger(std::string_view text) {
  size_t at = SkipSpace(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  uint32_t value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    value = value * 10u + static_cast<uint32_t>(text[at] - '0');
  }
  return negative ? 0u - value : value;
}

// The number is first cut out of the text and rewritten with an 'e'
// exponent, so that the library conversion only ever sees plain decimal
// digits: it cannot take "inf", "nan" or hexadecimal forms from the text.
double ParseDecimal(std::string_view text) {
  size_t at = SkipSpace(text, 0);
  std::string number;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    number.push_back(text[at]);
    ++at;
  }
  size_t integerEnd = SkipDigits(text, at);
  number.append(text.substr(at, integerEnd - at));
  size_t mantissaDigits = integerEnd - at;
  at = integerEnd;
  if (at < text.size() && text[at] == '.') {
    size_t fractionEnd = SkipDigits(text, at + 1);
    mantissaDigits += fractionEnd - (at + 1);
    number.append(text.substr(at, fractionEnd - at));
    at = fractionEnd;
  }
  if (mantissaDigits == 0) return 0.0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E' ||
                           text[at] == 'd' || text[at] == 'D')) {
    size_t signAt = at + 1;
    size_t digitsAt = signAt;
    if (digitsAt < text.size() &&
        (text[digitsAt] == '+' || text[digitsAt] == '-')) {
      ++digitsAt;
    }
    size_t exponentEnd = SkipDigits(text, digitsAt);
    if (exponentEnd > digitsAt) {
      number.push_back('e');
      number.append(text.substr(signAt, exponentEnd - signAt));
    }
  }
  return std::strtod(number.c_str(), nullptr);
}

bool ParseWholeInteger(std::string_view text, int64_t limit, int64_t* value) {
  size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    negative = text[at] == '-';
    ++at;
  }
  if (at == text.size()) return false;
  int64_t magnitude = 0;
  for (; at < text.size(); ++at) {
    if (!IsDigit(text[at])) return false;
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > limit) return false;
  }
  *value = negative ? -magnitude : magnitude;
  return true;
}
