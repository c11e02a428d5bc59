#include "model/area.h"

#include <charconv>

char* FormatArea(Area area, char* out) {
  if (area >= INT64_MIN && area <= INT64_MAX) {
    return std::to_chars(out, out + kAreaDigits, static_cast<int64_t>(area))
        .ptr;
  }
  unsigned __int128 magnitude = static_cast<unsigned __int128>(area);
  if (area < 0) {
    *out++ = '-';
    magnitude = -magnitude;
  }
  char digits[40];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + static_cast<int>(magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) *out++ = digits[--count];
  return out;
}

std::string AreaText(Area area) {
  char text[kAreaDigits];
  return std::string(text, FormatArea(area, text));
}

bool ParseArea(std::string_view text, Area* area) {
  bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return false;
  // Up to 18 digits cannot overflow 64 bits: the common case, done narrow.
  if (text.size() <= 18) {
    uint64_t narrow = 0;
    for (char c : text) {
      if (c < '0' || c > '9') return false;
      narrow = narrow * 10 + static_cast<uint64_t>(c - '0');
    }
    *area = negative ? -static_cast<Area>(narrow) : static_cast<Area>(narrow);
    return true;
  }
  const unsigned __int128 limit =
      static_cast<unsigned __int128>(kLargestArea) + (negative ? 1 : 0);
  unsigned __int128 value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    unsigned digit = static_cast<unsigned>(c - '0');
    if (value > (limit - digit) / 10) return false;
    value = value * 10 + digit;
  }
  *area = negative ? static_cast<Area>(-value) : static_cast<Area>(value);
  return true;
}

double DeadSpacePercent(Area box, Area modules) {
  if (box <= 0) return 0;
  long double whole = static_cast<long double>(box);
  return static_cast<double>(100 * (whole - static_cast<long double>(modules)) /
                             whole);
}
