// The outline of a block as both benchmark formats give it (a list of corner
// points) reduced to the rectangle the data file can hold, and the integer
// text those points are written in.
#ifndef FLOORPLAN_CONVERT_OUTLINE_H_
#define FLOORPLAN_CONVERT_OUTLINE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct OutlinePoint {
  int64_t x = 0;
  int64_t y = 0;
};

// Coordinates beyond this magnitude are refused: differences of any two then
// fit in 64 bits, and no real outline comes near.
constexpr int64_t kCoordinateLimit = 1'000'000'000'000;

// The most corners (repeats included) an outline may list: more than a 64 MiB
// file can hold, and a bound on the memory one block can claim, some 512 MB.
constexpr int64_t kCornerLimit = int64_t{1} << 24;

// A whole token that is a decimal integer: an optional sign and digits,
// nothing else, within kCoordinateLimit in magnitude.
bool ParseCoordinate(std::string_view text, int64_t* value);

// The x and y extents of `points` taken as a closed polygon. The outline must
// be an axis-parallel rectangle: four distinct corners in order around it
// (a point repeated right after itself, or the first repeated at the end,
// counts once), every edge horizontal or vertical, and both sides in
// 1..65535, the range of a data file's sides. False, with the reason,
// otherwise.
bool RectangleOfOutline(const std::vector<OutlinePoint>& points, int64_t* width,
                        int64_t* height, std::string* reason);

#endif  // FLOORPLAN_CONVERT_OUTLINE_H_
