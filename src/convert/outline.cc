#include "convert/outline.h"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

#include "io/module_line.h"
#include "io/number_text.h"

namespace {

// The largest side a data file line carries without wrapping.
constexpr int64_t kLargestSide =
    std::numeric_limits<decltype(ModuleLine::width)>::max();

std::string PointText(const OutlinePoint& point) {
  return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

bool Same(const OutlinePoint& a, const OutlinePoint& b) {
  return a.x == b.x && a.y == b.y;
}

}  // namespace

bool ParseCoordinate(std::string_view text, int64_t* value) {
  return ParseSignedWholeNumber(text, kCoordinateLimit, value);
}

bool RectangleOfOutline(const std::vector<OutlinePoint>& points, int64_t* width,
                        int64_t* height, std::string* reason) {
  std::vector<OutlinePoint> corners;
  for (const OutlinePoint& point : points) {
    if (corners.empty() || !Same(corners.back(), point)) {
      corners.push_back(point);
    }
  }
  while (corners.size() > 1 && Same(corners.back(), corners.front())) {
    corners.pop_back();
  }
  // Only whether there are four matters, so no more are kept.
  std::set<std::pair<int64_t, int64_t>> distinct;
  for (const OutlinePoint& corner : corners) {
    if (distinct.size() == 4) break;
    distinct.insert({corner.x, corner.y});
  }
  if (!corners.empty()) {
    auto [left, right] = std::minmax_element(
        corners.begin(), corners.end(),
        [](const OutlinePoint& a, const OutlinePoint& b) { return a.x < b.x; });
    auto [bottom, top] = std::minmax_element(
        corners.begin(), corners.end(),
        [](const OutlinePoint& a, const OutlinePoint& b) { return a.y < b.y; });
    *width = right->x - left->x;
    *height = top->y - bottom->y;
    if (*width == 0 || *height == 0) {
      *reason = "has a side of 0 (" + std::to_string(*width) + " x " +
                std::to_string(*height) + ")";
      return false;
    }
  }
  if (distinct.size() < 4) {
    *reason = "has fewer than 4 distinct corners";
    return false;
  }
  for (size_t k = 0; k < corners.size(); ++k) {
    const OutlinePoint& from = corners[k];
    const OutlinePoint& to = corners[(k + 1) % corners.size()];
    if (from.x != to.x && from.y != to.y) {
      *reason = "has a slanted edge from " + PointText(from) + " to " +
                PointText(to) + ": only rectangles are understood";
      return false;
    }
  }
  if (corners.size() != 4) {
    *reason = "is not a rectangle: its outline has " +
              std::to_string(corners.size()) + " corners";
    return false;
  }
  // Four distinct corners joined by horizontal and vertical edges can only
  // alternate between the two, so they are a rectangle's.
  if (*width > kLargestSide || *height > kLargestSide) {
    *reason = "is " + std::to_string(*width) + " x " + std::to_string(*height) +
              ": a side above " + std::to_string(kLargestSide) +
              ", the largest a data file holds";
    return false;
  }
  return true;
}
