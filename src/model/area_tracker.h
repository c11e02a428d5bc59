// Area evaluation of a Floorplan that is changed in place by recorded moves.
// It keeps the staircases of the cuts' subtrees. A move changes the children
// or the type of a few cuts (the Floorplan records which); only those cuts and
// their ancestors can have a new staircase, so an evaluation recombines just
// them, from the changed cuts up, and finds the area in time proportional to
// that part of the tree rather than to the whole Floorplan. A quarter of the
// staircases recombined come out as they were: their ancestors are
// recombined only if another child changed.
//
// Memory stays linear in the number of elements on any input. A staircase can
// be as long as its subtree has modules, so keeping every cut's would cost the
// sum of the subtree sizes: quadratic for a deep tree of modules with many
// distinct sides. A cut keeps its staircase only when it is short, or short
// for its region: the cut itself and the elements below it down to the
// nearest cuts that keep theirs. The regions of the keeping cuts are disjoint,
// so all kept staircases together hold at most kShortStaircase corners per cut
// and kCornersPerElement per element. A cut that keeps none is recombined from
// its region when an ancestor needs it; on the benchmark files every cut
// keeps its staircase.
//
// Use: Start(floorplan) once; then for every move, floorplan.StartRecording(),
// the move, CostOfRecordedMove(floorplan), and either Commit() when the move
// stays or floorplan.UndoRecorded() when it is taken back (the tracker then
// still describes the Floorplan as it is again). The Floorplan must not be
// changed otherwise, nor grow, while it is tracked.
#ifndef FLOORPLAN_MODEL_AREA_TRACKER_H_
#define FLOORPLAN_MODEL_AREA_TRACKER_H_

#include <cstddef>
#include <cstdint>
#include <memory>
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
  // The move last evaluated stays: its staircases become the committed ones.
  void Commit();

  // The corners of all the storage the tracker holds, used or not.
  size_t HeldCorners() const;

 private:
  // A staircase: `count` boxes from `first`, inside `storage`, which is
  // reused from move to move. `region` counts the elements its cut recombines
  // from when the staircase is not `kept`.
  struct Staircase {
    std::unique_ptr<Corner[]> storage;
    const Corner* first = nullptr;
    uint32_t capacity = 0;  // of storage
    uint32_t count = 0;
    uint32_t region = 0;
    bool kept = false;
  };

  // The staircase of one child of a cut being recombined.
  struct ChildStaircase {
    const Corner* first;
    uint32_t count;
    uint32_t region;       // what the child adds to the cut's region
    Staircase* transient;  // a fresh staircase to release once used
    Corner moduleBoxes[2];
  };

  void GatherChild(const Floorplan& floorplan, const Element* child,
                   StaircaseWorkspace* work, ChildStaircase* out);
  void ReleaseTransient(const ChildStaircase& child);
  void Recombine(const Floorplan& floorplan, const Cut* cut, Staircase* out);
  void EvaluateRegion(const Floorplan& floorplan, const Cut* top,
                      StaircaseWorkspace* work);
  void Grow(Staircase* staircase, size_t needed);
  void ReleaseLong(Staircase* staircase);
  void FitKept(Staircase* staircase);
  bool IsMarked(uint32_t element) const;
  Staircase& Committed(uint32_t element) {
    return staircases_[2 * size_t{element} + committed_[element]];
  }
  Staircase& Fresh(uint32_t element) {
    return staircases_[2 * size_t{element} + (committed_[element] ^ 1)];
  }
  static bool SameStaircases(const Staircase& fresh,
                             const Staircase& committed);
  void NextGeneration();
  void ListPreorder(const Cut* top);

  // Two staircases a cut, at 2 x its element index and the next: the one
  // committed_[index] names describes the Floorplan as it stands, the other
  // is the evaluation of a move, which Commit() makes the committed one.
  ShapeCost cost_;
  std::vector<Staircase> staircases_;
  std::vector<uint8_t> committed_;
  // How many storages, kept or fresh, hold more than the spare corners: with
  // none, there is nothing to release.
  size_t longStorages_ = 0;
  Area area_ = 0;
  uint32_t root_ = 0;

  // The evaluation of a recorded move, kept until Commit().
  std::vector<uint32_t> mark_;   // == generation_ for the cuts recombined
  std::vector<uint32_t> dirty_;  // == generation_ for the cuts to recombine
  uint32_t generation_ = 0;
  std::vector<uint32_t> recombined_;
  std::vector<const Cut*> order_;   // cuts, parents first, for Start
  std::vector<const Cut*> paths_;   // cuts to recombine, in paths
  std::vector<size_t> pathStarts_;  // where each path begins in paths_
  Area freshArea_ = 0;

  // Scratch of the regions recombined for the two children of one cut, and
  // the walk's stack (an element, and whether its children are done).
  StaircaseWorkspace leftWork_;
  StaircaseWorkspace rightWork_;
  std::vector<std::pair<const Element*, bool>> walk_;
};

#endif  // FLOORPLAN_MODEL_AREA_TRACKER_H_
