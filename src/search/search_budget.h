// How the wall-clock budget of a search is spent: runs until the search
// ends, then the summary, then the winner's log (when one is asked for):
// written from the winner's record of moves, or below 20 modules its replay.
// A run still going when the search ends is thrown away, so a run is only
// started when the runs finished so far say it can end in time.
//
// The command ends within the larger of 1 s and 3 % of the budget either
// side of it (docs/search.md); the search aims at the middle of the near
// half, leaving room for the winner's log: the winner so far, or a longer
// run that may still win, which starts only when its own log would fit.
//
// Times are seconds since the command started. The object is not
// thread-safe: the run pool owns it and locks around every call.
#ifndef FLOORPLAN_SEARCH_SEARCH_BUDGET_H_
#define FLOORPLAN_SEARCH_SEARCH_BUDGET_H_

#include <cstdint>

#include "search/run_plan.h"

// How the winner's log is written after the search, which decides how much
// of the budget it takes.
enum class LogWork { kNone, kFromRecord, kReplay };

class SearchBudget {
 public:
  // `model` is the reference machine's time of a run; what the finished
  // runs took scales it to the machine at hand.
  SearchBudget(double budgetSeconds, LogWork log, const RunTimeModel& model);

  // Notes a finished run: its moves, the wall seconds it took and whether
  // it is the winner now.
  void NoteRun(uint64_t moves, double seconds, bool best);

  // When the runs in progress are stopped: the budget less a margin and
  // what the winner's log is estimated to take.
  double SearchEnd() const;

  // How far from the budget the command may end, either side.
  double Tolerance() const;
  // Whether a search whose runs ended `elapsed` seconds in, with its log
  // still to write, ends before the budget less the tolerance.
  bool EndsEarly(double elapsed) const;

  // Whether a run expected to make `expectedMoves` moves, started `elapsed`
  // seconds in, is estimated to end by SearchEnd(): the model's time, scaled
  // by how the finished run of most moves compared with the model (a short
  // run spends much of its time on the deep tree of the first floorplan,
  // which the model's cost per run accounts for). Before any run finished
  // there is nothing to scale by, and any run may start.
  bool MayStart(uint64_t expectedMoves, double elapsed) const;

 private:
  double EndWith(uint64_t moves, double seconds) const;
  double Machine() const;

  double budgetSeconds_;
  LogWork log_;
  RunTimeModel model_;
  // The finished run of most moves, which tells the machine's speed.
  uint64_t moves_ = 0;
  double seconds_ = 0;
  // The winner so far, whose log is written at the end.
  uint64_t bestMoves_ = 0;
  double bestSeconds_ = 0;
};

#endif  // FLOORPLAN_SEARCH_SEARCH_BUDGET_H_
