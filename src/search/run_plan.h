// Which runs the search makes: an endless sequence of `floorplan` runs, each
// given by its parameters and the clock second it is started in. Run i
// depends only on the data, the budget, the cores the plan is made for, the
// base clock second and i, so a search is repeatable whatever the timing,
// the number of threads and the machine; only how many runs of the sequence
// finish depends on the time.
//
// The strategy, its constants and the measurements behind them are in
// docs/search.md ("The plan, as the code makes it"): temperatures scaled by
// the average module area, a short probe a core, then a few long runs a
// core, shorter runs after them, lambda from the moves a run can afford,
// module swaps weighted up, and run i started in clock second C + i.
#ifndef FLOORPLAN_SEARCH_RUN_PLAN_H_
#define FLOORPLAN_SEARCH_RUN_PLAN_H_

#include <cstdint>
#include <string>
#include <vector>

#include "anneal/parameters.h"
#include "io/data_file.h"

// One run of the plan: what `floorplan DATAFILE LAMBDA T0 TF W1 W2 W3`
// does when started in clock second `clock`. The parameters are always
// accepted by the annealer and exact in their shortest texts.
struct PlannedRun {
  AnnealingParameters parameters;
  int64_t clock = 0;  // in [0, 2^32)
  // How many moves the run is expected to make, for the budget's estimates.
  uint64_t expectedMoves = 0;
  // Whether the run is of the plan's shortest kind: when such a run cannot
  // end in time, no later run can.
  bool shortest = false;
};

// The plan of one search: the data's scale and the budget's moves, fixed at
// construction; Run(i) is a pure function of them and i, so the workers
// share one plan without locking.
class RunPlan {
 public:
  // `modules` holds at least two modules; `cores` is at least 1. With
  // `withLog` the runs are shorter, leaving time to write the winner's log:
  // below kVerboseBelow modules its replay, from there on its lines from
  // the winner's record.
  RunPlan(const std::vector<DataModule>& modules, double budgetSeconds,
          uint32_t cores, int64_t baseClock, bool withLog);

  PlannedRun Run(uint64_t index) const;

  // The long runs follow one probe run a core: runs firstLongRun() to
  // firstLongRun() + cores() x longRunsPerCore() - 1.
  uint64_t firstLongRun() const { return cores_; }
  uint64_t longRuns() const { return cores_ * longRunsPerCore_; }
  bool IsLongRun(uint64_t index) const {
    return index >= firstLongRun() && index - firstLongRun() < longRuns();
  }
  uint32_t cores() const { return cores_; }
  uint32_t numModules() const { return numModules_; }
  double averageModuleArea() const { return averageModuleArea_; }
  // Long runs per core.
  uint64_t longRunsPerCore() const { return longRunsPerCore_; }

 private:
  // Run `index`'s length as a share of coreMoves_.
  double ShareOf(uint64_t index) const;

  uint32_t numModules_;
  uint32_t cores_;
  double averageModuleArea_;
  double coreMoves_;  // the moves one core makes in the budget, by the model
  uint64_t longRunsPerCore_;
  int64_t baseClock_;
};

// The most moves one temperature of the annealer makes on `modules`
// modules: a temperature ends after 2 x limit + 1 moves, where the limit is
// N^2 below 15 modules and 2N from there on.
uint64_t MovesPerTemperature(uint32_t modules);

// The cooling factor with which a run from T0 down to Tf makes about `moves`
// moves, every temperature making MovesPerTemperature moves; kept inside
// (0, 1) and rounded to a short decimal.
double CoolingFactorFor(double T0, double Tf, uint64_t moves, uint32_t modules);

// The wall time of one run on one core of the reference machine, while the
// other core runs too: a cost per run, for the first temperatures spent on
// the loader's left-deep tree, whose staircases are as long as the tree is
// deep, and a cost per move, which grows with the module count as the trees
// deepen. The plan sizes its runs with it, so it must not depend on the
// machine at hand; the budget scales it by what the finished runs took.
struct RunTimeModel {
  explicit RunTimeModel(uint32_t modules);
  RunTimeModel(double runSeconds, double moveSeconds)
      : perRunSeconds(runSeconds), perMoveSeconds(moveSeconds) {}
  double Seconds(uint64_t moves) const {
    return perRunSeconds + perMoveSeconds * static_cast<double>(moves);
  }

  double perRunSeconds;
  double perMoveSeconds;
  // How much longer the same run takes when it writes its log to a file, as
  // the winner's replay does below 20 modules, where every line carries the
  // whole expression.
  double replayFactor = 1.9;
  // The time of one line of a log written from a record (move_record.h),
  // from 20 modules on, to the file's sync.
  double recordLineSeconds = 120e-9;
};

// `value` rounded to `digits` significant decimal digits, as the command
// line's conversion reads that text back.
double RoundedParameter(double value, int digits);

// The shortest text that floorplan's conversion (ParseDecimal) reads back to
// exactly `value`, at most 17 significant digits; whole numbers below 1e15
// in full.
std::string ParameterText(double value);

#endif  // FLOORPLAN_SEARCH_RUN_PLAN_H_
