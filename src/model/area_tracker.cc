#include "model/area_tracker.h"

#include <algorithm>
#include <cassert>

#include "model/element.h"
#include "model/floorplan.h"

const Corner* AreaTracker::CornersOf(const Floorplan& floorplan,
                                     const Element* element,
                                     Corner moduleBoxes[2],
                                     uint32_t* count) const {
  if (!element->isCut) {
    *count = static_cast<uint32_t>(
        ModuleStaircase(element->width, element->height, moduleBoxes));
    return moduleBoxes;
  }
  uint32_t index = floorplan.IndexOf(element);
  const Staircase& staircase =
      IsMarked(index) ? fresh_[index] : staircases_[index];
  *count = staircase.count;
  return staircase.first;
}

void AreaTracker::Recombine(const Floorplan& floorplan, const Cut* cut,
                            Staircase* out) const {
  Corner leftModule[2];
  Corner rightModule[2];
  uint32_t leftCount;
  uint32_t rightCount;
  const Corner* left = CornersOf(floorplan, cut->left, leftModule, &leftCount);
  const Corner* right =
      CornersOf(floorplan, cut->right, rightModule, &rightCount);
  size_t needed = size_t{leftCount} + rightCount;
  if (out->storage.size() < needed) {
    out->storage.resize(std::max(needed, 2 * out->storage.size()));
  }
  size_t count;
  out->first = CombineStaircases(cut->value, left, leftCount, right, rightCount,
                                 out->storage.data(), &count);
  out->count = static_cast<uint32_t>(count);
}

Area AreaTracker::AreaOf(const Staircase& staircase) const {
  return cost_.Of(staircase.first, staircase.count);
}

bool AreaTracker::IsMarked(uint32_t element) const {
  return mark_[element] == generation_;
}

void AreaTracker::NextGeneration() {
  if (++generation_ == 0) {  // the marks wrapped: clear them
    std::fill(mark_.begin(), mark_.end(), 0);
    generation_ = 1;
  }
}

// Lists the cuts below `top`, parents before children: a preorder, walked
// with an explicit stack as trees can be as deep as they have modules.
void AreaTracker::ListPreorder(const Cut* top) {
  order_.clear();
  std::vector<const Cut*> pending{top};
  while (!pending.empty()) {
    const Cut* cut = pending.back();
    pending.pop_back();
    order_.push_back(cut);
    for (const Element* child : {cut->left, cut->right}) {
      if (child->isCut) pending.push_back(AsCut(child));
    }
  }
}

Area AreaTracker::Start(const Floorplan& floorplan) {
  size_t elements = size_t{floorplan.numModules} + floorplan.numOperators;
  staircases_.assign(elements, Staircase());
  fresh_.assign(elements, Staircase());
  mark_.assign(elements, 0);
  generation_ = 1;  // nothing is marked: every cut reads staircases_
  root_ = floorplan.IndexOf(floorplan.root);

  ListPreorder(AsCut(floorplan.root));
  for (size_t i = order_.size(); i-- > 0;) {
    const Cut* cut = order_[i];
    Recombine(floorplan, cut, &staircases_[floorplan.IndexOf(cut)]);
  }
  area_ = AreaOf(staircases_[root_]);
  return area_;
}

Area AreaTracker::CostOfRecordedMove(const Floorplan& floorplan) {
  // The moves never change the last element of the expression, the root.
  assert(floorplan.IndexOf(floorplan.root) == root_);
  NextGeneration();
  recombined_.clear();
  // Mark the changed cuts and their ancestors in the tree as the move left
  // it, one path upwards from each changed cut, which stops where it meets a
  // cut marked before: the marked cuts form a subtree at the root. A cut's
  // marked children are on its own path, below it, or end later paths; so
  // the paths recombined last first, each from its bottom up, recombine
  // every cut after its children.
  order_.clear();
  pathStarts_.clear();
  for (const Cut* cut : floorplan.RecordedCuts()) {
    pathStarts_.push_back(order_.size());
    const Element* element = cut;
    uint32_t index = floorplan.IndexOf(element);
    while (!IsMarked(index)) {
      mark_[index] = generation_;
      order_.push_back(AsCut(element));
      element = element->parent;
      if (element == nullptr) break;
      index = floorplan.IndexOf(element);
    }
  }
  if (!IsMarked(root_)) {
    freshArea_ = area_;
    return freshArea_;
  }
  size_t end = order_.size();
  for (size_t path = pathStarts_.size(); path-- > 0;) {
    for (size_t i = pathStarts_[path]; i < end; ++i) {
      uint32_t index = floorplan.IndexOf(order_[i]);
      Recombine(floorplan, order_[i], &fresh_[index]);
      recombined_.push_back(index);
    }
    end = pathStarts_[path];
  }
  freshArea_ = AreaOf(fresh_[root_]);
  return freshArea_;
}

void AreaTracker::Commit() {
  for (uint32_t index : recombined_)
    std::swap(staircases_[index], fresh_[index]);
  area_ = freshArea_;
  recombined_.clear();
  // Forget the marks: the committed staircases are the reference again.
  NextGeneration();
}
