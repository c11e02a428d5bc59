// How the wall-clock budget of a search is spent: runs until the search
// ends, then the winner's replay into the log (when one is asked for), then
// the summary. A run still going when the search ends is thrown away, so a
// run is only started when the runs finished so far say it can end in time.
//
// Times are seconds since the command started. The object is not
// thread-safe: the run pool owns it and locks around every call.
#ifndef FLOORPLAN_SEARCH_SEARCH_BUDGET_H_
#define FLOORPLAN_SEARCH_SEARCH_BUDGET_H_

#include <cstdint>

#include "search/run_plan.h"

class SearchBudget {
 public:
  // `model` is the reference machine's time of a run; what the finished
  // runs took scales it to the machine at hand.
  SearchBudget(double budgetSeconds, bool replayForLog,
               const RunTimeModel& model);

  // Notes a finished run: its moves and the wall seconds it took.
  void NoteRun(uint64_t moves, double seconds);

  // When the runs in progress are stopped: the budget less what the
  // winner's replay is estimated to take (the longest run finished so far,
  // with the log's extra work) and a margin for the summary.
  double SearchEnd() const;

  // Whether a run expected to make `expectedMoves` moves, started `elapsed`
  // seconds in, is estimated to end by SearchEnd(): the model's time, scaled
  // by how the finished run of most moves compared with the model (a short
  // run spends much of its time on the deep tree of the first floorplan,
  // which the model's cost per run accounts for). Before any run finished
  // there is nothing to scale by, and any run may start.
  bool MayStart(uint64_t expectedMoves, double elapsed) const;

 private:
  double EndWith(double longestRun) const;

  double budgetSeconds_;
  bool replayForLog_;
  RunTimeModel model_;
  // The finished run of most moves, and the longest in time.
  uint64_t moves_ = 0;
  double seconds_ = 0;
  double longestRun_ = 0;
};

#endif  // FLOORPLAN_SEARCH_SEARCH_BUDGET_H_
