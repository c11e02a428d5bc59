#include "model/staircase_cache.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "model/element.h"
#include "model/floorplan.h"

namespace {

constexpr uint64_t kCutToken = uint64_t{1} << 32;
// No position ever holds this token, so every position of a new cache counts
// as changed.
constexpr uint64_t kNoToken = ~uint64_t{0};
// Two always-unchanged entries below the stack, so that a module can read
// "the two topmost subtrees" as a cut does, without a branch.
constexpr size_t kStackFloor = 2;

bool IsCutToken(uint64_t token) { return token >= kCutToken; }

}  // namespace

// The staircase of a pending subtree: a module's from its token, a cut's from
// this evaluation when it was recombined, else from the committed one.
const Corner* StaircaseCache::CornersAt(Pending subtree, Corner moduleBoxes[2],
                                        uint32_t* count) const {
  uint64_t token = tokens_[subtree.position];
  if (!IsCutToken(token)) {
    *count = static_cast<uint32_t>(
        ModuleStaircase(static_cast<uint16_t>(token >> 16),
                        static_cast<uint16_t>(token), moduleBoxes));
    return moduleBoxes;
  }
  const Staircase& staircase =
      subtree.changed ? fresh_[subtree.position] : committed_[subtree.position];
  *count = staircase.count;
  return staircase.first;
}

void StaircaseCache::Combine(uint32_t position, int32_t cutType, Pending left,
                             Pending right) {
  Corner leftModule[2];
  Corner rightModule[2];
  uint32_t leftCount;
  uint32_t rightCount;
  const Corner* leftCorners = CornersAt(left, leftModule, &leftCount);
  const Corner* rightCorners = CornersAt(right, rightModule, &rightCount);
  Staircase& out = fresh_[position];
  size_t needed = size_t{leftCount} + rightCount;
  if (out.storage.size() < needed)
    out.storage.resize(std::max(needed, 2 * out.storage.size()));
  size_t count;
  out.first = CombineStaircases(cutType, leftCorners, leftCount, rightCorners,
                                rightCount, out.storage.data(), &count);
  out.count = static_cast<uint32_t>(count);
  freshPositions_.push_back(position);
}

int64_t StaircaseCache::Cost(const Floorplan& floorplan) {
  size_t elements = size_t{floorplan.numModules} + floorplan.numOperators;
  if (committedTokens_.size() != elements) {
    // A floorplan of another size: nothing carries over.
    committedTokens_.assign(elements, kNoToken);
    committed_.assign(elements, Staircase());
    tokens_.assign(elements, kNoToken);
    fresh_.assign(elements, Staircase());
    stack_.assign(elements + kStackFloor, Pending{0, 0});
  }
  freshPositions_.clear();
  changedPositions_.clear();

  // Modules push a subtree, cuts replace the two topmost by one; both are
  // written the same way so that the walk does not branch on the kind.
  Pending* top = stack_.data() + kStackFloor;
  uint32_t position = 0;
  for (const Element* e = floorplan.head; e != nullptr;
       e = e->next, ++position) {
    uint32_t isCut = e->isCut != 0;
    uint64_t cutToken = kCutToken | (e->value == kCutV);
    uint64_t moduleToken = uint64_t{e->width} << 16 | e->height;
    uint64_t token = isCut ? cutToken : moduleToken;
    uint32_t changed = token != committedTokens_[position];
    tokens_[position] = token;
    if (changed) changedPositions_.push_back(position);

    Pending left = top[-2];
    Pending right = top[-1];
    uint32_t changedBelow = changed | ((left.changed | right.changed) & isCut);
    Pending* slot = top - 2 * isCut;
    // One whole store: the next step loads the entry whole, and a load that
    // spans two smaller stores waits for both to retire.
    *slot = Pending{position, changedBelow};
    top = slot + 1;
    if (isCut & changedBelow) Combine(position, e->value, left, right);
  }

  Pending root = stack_[kStackFloor];
  if (!root.changed) {
    area_ = committedArea_;
    return area_;
  }
  const Staircase& staircase = fresh_[root.position];
  int64_t best = std::numeric_limits<int64_t>::max();
  for (uint32_t i = 0; i < staircase.count; ++i) {
    best = std::min(best, SaturatingArea(staircase.first[i].width,
                                         staircase.first[i].height));
  }
  area_ = best;
  return area_;
}

void StaircaseCache::Commit() {
  for (uint32_t position : changedPositions_) {
    committedTokens_[position] = tokens_[position];
  }
  for (uint32_t position : freshPositions_) {
    std::swap(committed_[position], fresh_[position]);
  }
  committedArea_ = area_;
  changedPositions_.clear();
  freshPositions_.clear();
}
