#include "io/number_text.h"

#include <cmath>
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

// The whole of `text` as decimal digits of a number up to `limit`: the one
// digit loop of the strict conversions.
bool ParseDigits(std::string_view text, unsigned __int128 limit,
                 unsigned __int128* value) {
  if (text.empty()) return false;
  // Up to 18 digits cannot overflow 64 bits: the common case, done narrow.
  if (text.size() <= 18) {
    uint64_t narrow = 0;
    for (char c : text) {
      if (!IsDigit(c)) return false;
      narrow = narrow * 10 + static_cast<uint64_t>(c - '0');
    }
    if (narrow > limit) return false;
    *value = narrow;
    return true;
  }
  unsigned __int128 wide = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    unsigned digit = static_cast<unsigned>(c - '0');
    if (wide > (limit - digit) / 10) return false;
    wide = wide * 10 + digit;
  }
  *value = wide;
  return true;
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

bool ParseWholeNumber(std::string_view text, uint64_t limit, uint64_t* value) {
  unsigned __int128 wide = 0;
  if (!ParseDigits(text, limit, &wide)) return false;
  *value = static_cast<uint64_t>(wide);
  return true;
}

bool ParseSignedWholeNumber(std::string_view text, uint64_t limit,
                            int64_t* value) {
  bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    text.remove_prefix(1);
  }
  uint64_t magnitude = 0;
  if (limit > uint64_t{INT64_MAX}) limit = uint64_t{INT64_MAX};
  if (!ParseWholeNumber(text, limit, &magnitude)) return false;
  *value = negative ? -static_cast<int64_t>(magnitude)
                    : static_cast<int64_t>(magnitude);
  return true;
}

bool ParseArea(std::string_view text, Area* area) {
  bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  const unsigned __int128 limit =
      static_cast<unsigned __int128>(kLargestArea) + (negative ? 1 : 0);
  unsigned __int128 magnitude = 0;
  if (!ParseDigits(text, limit, &magnitude)) return false;
  *area = negative ? static_cast<Area>(-magnitude) : static_cast<Area>(magnitude);
  return true;
}

bool ParseDecimalNumber(std::string_view text, double* value) {
  size_t integerEnd = SkipDigits(text, 0);
  size_t at = integerEnd;
  size_t digits = integerEnd;
  if (at < text.size() && text[at] == '.') {
    size_t fractionEnd = SkipDigits(text, at + 1);
    digits += fractionEnd - (at + 1);
    at = fractionEnd;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    size_t exponentAt = at + 1;
    if (exponentAt < text.size() &&
        (text[exponentAt] == '+' || text[exponentAt] == '-')) {
      ++exponentAt;
    }
    at = SkipDigits(text, exponentAt);
    if (at == exponentAt) return false;
  }
  if (at != text.size()) return false;
  double number = ParseDecimal(text);
  if (!std::isfinite(number)) return false;
  *value = number;
  return true;
}
