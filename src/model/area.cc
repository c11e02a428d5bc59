#include "model/area.h"

#include <charconv>
#include <cstdio>

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

double DeadSpacePercent(Area box, Area modules) {
  if (box <= 0) return 0;
  long double whole = static_cast<long double>(box);
  return static_cast<double>(100 * (whole - static_cast<long double>(modules)) /
                             whole);
}

std::string DeadSpaceText(Area box, Area modules) {
  char text[32];
  snprintf(text, sizeof text, "%.2f %%", DeadSpacePercent(box, modules));
  return text;
}
