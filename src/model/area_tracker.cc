#include "model/area_tracker.h"

#include <algorithm>
#include <cassert>

#include "model/element.h"
#include "model/floorplan.h"

namespace {

// A staircase this short is always kept: on the benchmark files no cut's is
// longer, so they never recombine a region.
constexpr uint64_t kShortStaircase = 32;
// A longer staircase is kept while it has at most this many corners per
// element of its region. More keeps more of a deep tree's staircases (less
// to recombine) for proportionally more memory.
constexpr uint64_t kCornersPerElement = 4;
// Storage of up to this many corners stays with its cut when not in use,
// so that the usual staircases do not allocate on every move; longer storage
// is released.
constexpr size_t kSpareCorners = 64;

}  // namespace

// Storage grows in steps of at least doubling, so that it reaches the size
// the usual staircases of its cut need after a few moves. What it held is not
// needed: it is about to be overwritten.
void AreaTracker::Grow(Staircase* staircase, size_t needed) {
  bool wasLong = staircase->capacity > kSpareCorners;
  size_t capacity = std::max(needed, 2 * size_t{staircase->capacity});
  staircase->storage.reset(new Corner[capacity]);
  staircase->capacity = static_cast<uint32_t>(capacity);
  if (!wasLong && capacity > kSpareCorners) ++longStorages_;
}

void AreaTracker::ReleaseLong(Staircase* staircase) {
  if (staircase->capacity <= kSpareCorners) return;
  staircase->storage.reset();
  staircase->capacity = 0;
  staircase->first = nullptr;
  staircase->count = 0;
  --longStorages_;
}

// A kept staircase can be short in storage grown for its children's: its
// storage is fitted to it, so that kept storage stays within a few times the
// kept corners.
void AreaTracker::FitKept(Staircase* staircase) {
  if (!staircase->kept) ReleaseLong(staircase);
  if (!staircase->kept || staircase->capacity <= kSpareCorners ||
      staircase->capacity <= 4 * size_t{staircase->count})
    return;
  std::unique_ptr<Corner[]> fitted(new Corner[staircase->count]);
  std::copy(staircase->first, staircase->first + staircase->count,
            fitted.get());
  staircase->storage = std::move(fitted);
  staircase->first = staircase->storage.get();
  staircase->capacity = staircase->count;
  if (staircase->capacity <= kSpareCorners) --longStorages_;
}

// The staircase of a child of a cut being recombined, and what the child adds
// to the cut's region: itself and its own region unless it keeps its
// staircase. An unmarked cut that keeps none is recombined into `work`; a
// marked one that keeps none is noted as transient, to be released once used.
inline void AreaTracker::GatherChild(const Floorplan& floorplan,
                                     const Element* child,
                                     StaircaseWorkspace* work,
                                     ChildStaircase* out) {
  out->transient = nullptr;
  if (!child->isCut) {
    out->count = static_cast<uint32_t>(
        ModuleStaircase(child->width, child->height, out->moduleBoxes));
    out->region = 1;
    out->first = out->moduleBoxes;
    return;
  }
  uint32_t index = floorplan.IndexOf(child);
  bool marked = IsMarked(index);
  Staircase* staircase =
      &staircases_[2 * size_t{index} + (committed_[index] ^ marked)];
  if (staircase->kept) {
    out->region = 0;
    out->count = staircase->count;
    out->first = staircase->first;
    return;
  }
  out->region = staircase->region;
  if (marked) {
    out->transient = staircase;
    out->count = staircase->count;
    out->first = staircase->first;
    return;
  }
  EvaluateRegion(floorplan, AsCut(child), work);
  out->count = static_cast<uint32_t>(work->corners.size());
  out->first = work->corners.data();
}

// A fresh staircase that will not be kept is needed only by its parent: once
// the parent is recombined, its storage goes, so that the transient
// staircases alive at once belong to disjoint subtrees.
inline void AreaTracker::ReleaseTransient(const ChildStaircase& child) {
  if (child.transient != nullptr) ReleaseLong(child.transient);
}

void AreaTracker::Recombine(const Floorplan& floorplan, const Cut* cut,
                            Staircase* out) {
  ChildStaircase left;
  ChildStaircase right;
  GatherChild(floorplan, cut->left, &leftWork_, &left);
  GatherChild(floorplan, cut->right, &rightWork_, &right);
  size_t needed = size_t{left.count} + right.count;
  if (out->capacity < needed) Grow(out, needed);
  size_t count;
  out->first =
      CombineStaircases(cut->value, left.first, left.count, right.first,
                        right.count, out->storage.get(), &count);
  out->count = static_cast<uint32_t>(count);
  out->region = 1 + left.region + right.region;
  out->kept =
      count <= kShortStaircase + kCornersPerElement * uint64_t{out->region};
  ReleaseTransient(left);
  ReleaseTransient(right);
}

// The staircase of an unmarked cut that keeps none, from the modules and kept
// staircases below it: a postorder on a stack of pending staircases, walked
// with an explicit stack as trees can be as deep as they have modules. Only
// unmarked cuts lie below an unmarked cut, so the kept staircases are the
// committed ones.
void AreaTracker::EvaluateRegion(const Floorplan& floorplan, const Cut* top,
                                 StaircaseWorkspace* work) {
  work->corners.clear();
  work->starts.clear();
  walk_.clear();
  walk_.push_back({top, false});
  while (!walk_.empty()) {
    auto [element, childrenDone] = walk_.back();
    walk_.pop_back();
    if (childrenDone) {
      CombineTopTwo(element->value, work);
    } else if (!element->isCut) {
      Corner boxes[2];
      size_t count = ModuleStaircase(element->width, element->height, boxes);
      PushStaircase(boxes, count, work);
    } else if (const Staircase& staircase =
                   Committed(floorplan.IndexOf(element));
               staircase.kept) {
      PushStaircase(staircase.first, staircase.count, work);
    } else {
      // The left child's staircase is pushed first, so it is walked first.
      walk_.push_back({element, true});
      walk_.push_back({AsCut(element)->right, false});
      walk_.push_back({AsCut(element)->left, false});
    }
  }
}

bool AreaTracker::IsMarked(uint32_t element) const {
  return mark_[element] == generation_;
}

void AreaTracker::NextGeneration() {
  if (++generation_ == 0) {  // the marks wrapped: clear them
    std::fill(mark_.begin(), mark_.end(), 0);
    std::fill(dirty_.begin(), dirty_.end(), 0);
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

// Every cut is recombined, children first, as for a move that changed them
// all, and committed.
Area AreaTracker::Start(const Floorplan& floorplan) {
  size_t elements = size_t{floorplan.numModules} + floorplan.numOperators;
  staircases_.clear();
  staircases_.resize(2 * elements);
  committed_.assign(elements, 0);
  mark_.assign(elements, 0);
  dirty_.assign(elements, 0);
  longStorages_ = 0;
  generation_ = 1;
  root_ = floorplan.IndexOf(floorplan.root);
  recombined_.clear();

  ListPreorder(AsCut(floorplan.root));
  for (const Cut* cut : order_) mark_[floorplan.IndexOf(cut)] = generation_;
  for (size_t i = order_.size(); i-- > 0;) {
    uint32_t index = floorplan.IndexOf(order_[i]);
    Recombine(floorplan, order_[i], &Fresh(index));
    recombined_.push_back(index);
  }
  freshArea_ = cost_.Of(Fresh(root_).first, Fresh(root_).count);
  Commit();
  return area_;
}

// Only kept staircases can be compared: one not kept holds nothing between
// evaluations. Equal regions keep the regions of the ancestors right.
inline bool AreaTracker::SameStaircases(const Staircase& fresh,
                                        const Staircase& committed) {
  if (!fresh.kept || !committed.kept || fresh.region != committed.region ||
      fresh.count != committed.count)
    return false;
  for (uint32_t i = 0; i < fresh.count; ++i) {
    if (fresh.first[i].width != committed.first[i].width ||
        fresh.first[i].height != committed.first[i].height)
      return false;
  }
  return true;
}

Area AreaTracker::CostOfRecordedMove(const Floorplan& floorplan) {
  // The moves never change the last element of the expression, the root.
  assert(floorplan.IndexOf(floorplan.root) == root_);
  // The evaluation before was not committed: its long storage goes.
  if (longStorages_ != 0) {
    for (uint32_t index : recombined_) ReleaseLong(&Fresh(index));
  }
  recombined_.clear();
  NextGeneration();
  // Mark the changed cuts and their ancestors in the tree as the move left
  // it, one path upwards from each changed cut, which stops where it meets a
  // cut marked before: the marked cuts form a subtree at the root. A cut's
  // marked children are on its own path, below it, or end later paths; so
  // the paths recombined last first, each from its bottom up, recombine
  // every cut after its children.
  paths_.clear();
  pathStarts_.clear();
  for (const Cut* cut : floorplan.RecordedCuts()) {
    pathStarts_.push_back(paths_.size());
    uint32_t index = floorplan.IndexOf(cut);
    dirty_[index] = generation_;
    while (!IsMarked(index)) {
      mark_[index] = generation_;
      paths_.push_back(cut);
      cut = AsCut(cut->parent);
      if (cut == nullptr) break;
      index = floorplan.IndexOfCut(cut);
    }
  }
  // A cut is recombined only when its children or type changed, or a
  // child's staircase did; one whose staircase comes out as it was is
  // unmarked, so that its parent reads the committed one.
  size_t end = paths_.size();
  for (size_t path = pathStarts_.size(); path-- > 0;) {
    for (size_t i = pathStarts_[path]; i < end; ++i) {
      const Cut* cut = paths_[i];
      uint32_t index = floorplan.IndexOfCut(cut);
      if (dirty_[index] != generation_) {
        mark_[index] = 0;
        continue;
      }
      Staircase* fresh = &Fresh(index);
      Recombine(floorplan, cut, fresh);
      if (cut->parent != nullptr && SameStaircases(*fresh, Committed(index))) {
        mark_[index] = 0;
        if (longStorages_ != 0) ReleaseLong(fresh);
        continue;
      }
      recombined_.push_back(index);
      if (cut->parent != nullptr)
        dirty_[floorplan.IndexOfCut(AsCut(cut->parent))] = generation_;
    }
    end = pathStarts_[path];
  }
  freshArea_ = dirty_[root_] == generation_
                   ? cost_.Of(Fresh(root_).first, Fresh(root_).count)
                   : area_;
  return freshArea_;
}

void AreaTracker::Commit() {
  for (uint32_t index : recombined_) {
    committed_[index] ^= 1;
    if (longStorages_ != 0) {
      FitKept(&Committed(index));
      ReleaseLong(&Fresh(index));
    }
  }
  area_ = freshArea_;
  recombined_.clear();
  // Forget the marks: the committed staircases are the reference again.
  NextGeneration();
}

size_t AreaTracker::HeldCorners() const {
  size_t corners = 0;
  for (const Staircase& staircase : staircases_) corners += staircase.capacity;
  for (const StaircaseWorkspace* work : {&leftWork_, &rightWork_}) {
    corners += work->corners.capacity() + work->merged.capacity();
  }
  return corners;
}
