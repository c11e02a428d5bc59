// Area evaluation of a Floorplan that is changed in place by recorded moves.
// It keeps the staircase of every cut's subtree. A move changes the
// children or the type of a few cuts (the Floorplan records which); only
// those cuts and their ancestors can have a new staircase, so an evaluation
// recombines just them, from the root down to the changed cuts and back, and
// finds the area in time proportional to that part of the tree rather than to
// the whole Floorplan.
//
// Use: Start(floorplan) once; then for every move, floorplan.StartRecording(),
// the move, CostOfRecordedMove(floorplan), and either Commit() when the move
// stays or floorplan.UndoRecorded() when it is taken back (the tracker then
// still describes the Floorplan as it is again). The Floorplan must not be
// changed otherwise, nor grow, while it is tracked.
#ifndef FLOORPLAN_MODEL_AREA_TRACKER_H_
#define FLOORPLAN_MODEL_AREA_TRACKER_H_

#include <cstdint>
#include <utility>
#include <vector>

#include "model/area.h"
#include "model/shape_cost.h"
#include "model/staircase.h"

struct Element;
struct Cut;
struct Floorplan;

class AreaTracker {
 public:
  // The costs it gives are `cost`'s of the root's staircase: the least area
  // by default.
  explicit AreaTracker(const ShapeCost& cost = ShapeCost()) : cost_(cost) {}

  // Evaluates `floorplan` whole and tracks it from now on.
  Area Start(const Floorplan& floorplan);
  // The area of `floorplan` with the changes recorded since its last
  // StartRecording().
  Area CostOfRecordedMove(const Floorplan& floorplan);
  // The move last evaluated stays: its staircases are kept.
  void Commit();

 private:
  // A staircase: `count` boxes from `first`, inside `storage`, which only
  // grows so that it is not cleared on every use.
  struct Staircase {
    std::vector<Corner> storage;
    const Corner* first = nullptr;
    uint32_t count = 0;
  };

  const Corner* CornersOf(const Floorplan& floorplan, const Element* element,
                          Corner moduleBoxes[2], uint32_t* count) const;
  void Recombine(const Floorplan& floorplan, const Cut* cut,
                 Staircase* out) const;
  Area AreaOf(const Staircase& staircase) const;
  bool IsMarked(uint32_t element) const;
  void NextGeneration();
  void ListPreorder(const Cut* top);

  ShapeCost cost_;
  std::vector<Staircase> staircases_;  // by element index, cuts only
  Area area_ = 0;
  uint32_t root_ = 0;

  // The evaluation of a recorded move, kept until Commit().
  std::vector<Staircase> fresh_;  // by element index, marked cuts only
  std::vector<uint32_t> mark_;    // == generation_ for the cuts recombined
  uint32_t generation_ = 0;
  std::vector<uint32_t> recombined_;
  std::vector<const Cut*> order_;  // cuts to recombine, in paths
  std::vector<size_t> pathStarts_;  // where each path begins in order_
  Area freshArea_ = 0;
};

#endif  // FLOORPLAN_MODEL_AREA_TRACKER_H_
