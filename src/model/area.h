// Areas of bounding boxes. A side is a sum of 16-bit module sides, below 2^48
// for any number of modules a Floorplan can count, so an area is below 2^96:
// areas are held, compared and printed exactly in 128 bits. Every area that
// fits in 63 bits prints as it always has.
#ifndef FLOORPLAN_MODEL_AREA_H_
#define FLOORPLAN_MODEL_AREA_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using Area = __int128;

// The largest area of all: the start of a search for the least one.
constexpr Area kLargestArea = ~(static_cast<unsigned __int128>(1) << 127);

inline Area BoxArea(int64_t width, int64_t height) {
  return static_cast<Area>(width) * height;
}

// Writes the decimal digits of `area` (a '-' first when negative) to `out`,
// which holds at least kAreaDigits characters; returns the end.
constexpr size_t kAreaDigits = 41;
char* FormatArea(Area area, char* out);

std::string AreaText(Area area);

// The share of a bounding box of area `box` that no module covers, in
// percent, when the modules cover `modules` of it (0 for an empty box).
double DeadSpacePercent(Area box, Area modules);

// That share as every program shows it: two decimals, a space and "%"
// ("9.03 %").
std::string DeadSpaceText(Area box, Area modules);

#endif  // FLOORPLAN_MODEL_AREA_H_
