#include "model/shape_cost.h"

#include <algorithm>

Area OutlineCost(int64_t width, int64_t height, const Outline& outline) {
  if (width <= outline.width && height <= outline.height) {
    return BoxArea(width, height);
  }
  return BoxArea(std::max(width, outline.width),
                 std::max(height, outline.height));
}

Area ShapeCost::Of(const Corner* boxes, size_t count) const {
  // Without an outline a transpose has the box's own area.
  if (!hasOutline_) return LeastArea(boxes, count);
  Area best = kLargestArea;
  for (size_t i = 0; i < count; ++i) {
    best = std::min({best, OutlineCost(boxes[i].width, boxes[i].height, outline_),
                     OutlineCost(boxes[i].height, boxes[i].width, outline_)});
  }
  return best;
}

FloorplanShape ShapeCost::Best(const Corner* boxes, size_t count) const {
  FloorplanShape best;
  Area bestCost = kLargestArea;
  // The boxes as they are first, so that a transpose is chosen only where
  // it costs less.
  for (bool transposed : {false, true}) {
    if (transposed && !hasOutline_) break;
    for (size_t i = 0; i < count; ++i) {
      int64_t width = transposed ? boxes[i].height : boxes[i].width;
      int64_t height = transposed ? boxes[i].width : boxes[i].height;
      Area cost = hasOutline_ ? OutlineCost(width, height, outline_)
                              : BoxArea(width, height);
      if (cost < bestCost) {
        bestCost = cost;
        best = {width, height, transposed};
      }
    }
  }
  return best;
}
