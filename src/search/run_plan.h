// Which runs the search makes: an endless sequence of `floorplan` runs, each
// given by its parameters and the clock second it is started in. Run i
// depends only on the data, the budget, the base clock second and i, so a
// search is repeatable whatever the timing and the number of threads; only
// how many runs of the sequence finish depends on the time.
//
// The strategy: temperatures are scaled to the data's average module area S
// (an uphill move worth a fraction of a module is what decides a compact
// floorplan), the cooling factor is set for a move count the budget affords
// on one core, and the runs cycle through a few settings of temperatures and
// move weights, each in many clock seconds.
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

// One setting of the cycle: T0 and Tf as multiples of S, and the move
// weights.
struct PlanSetting {
  double initialScale;
  double finalScale;
  uint32_t weights[3];
};

// A run's length, as a share of the moves the budget affords one core, and
// its setting.
struct PlanStep {
  double share;
  PlanSetting setting;
};

// The plan of one search: the data's scale and the budget's moves, fixed at
// construction; Run(i) is a pure function of them and i, so the workers
// share one plan without locking.
class RunPlan {
 public:
  // `modules` holds at least two modules. With `replayForLog` the runs are
  // shorter, leaving time to replay the winner.
  RunPlan(const std::vector<DataModule>& modules, double budgetSeconds,
          bool replayForLog, int64_t baseClock);

  PlannedRun Run(uint64_t index) const;

  uint32_t numModules() const { return numModules_; }
  double averageModuleArea() const { return averageModuleArea_; }

 private:
  uint64_t MovesFor(double share) const;

  uint32_t numModules_;
  double averageModuleArea_;
  double coreMoves_;  // the moves one core makes in the budget, by the model
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

// A conservative estimate of the annealer's moves per second on one core,
// which falls with the module count as the trees deepen. The plan sizes its
// runs with it, so it must not depend on the machine at hand.
double ModelMovesPerSecond(uint32_t modules);

// `value` rounded to `digits` significant decimal digits, as the command
// line's conversion reads that text back.
double RoundedParameter(double value, int digits);

// The shortest text that floorplan's conversion (ParseDecimal) reads back to
// exactly `value`, at most 17 significant digits.
std::string ParameterText(double value);

#endif  // FLOORPLAN_SEARCH_RUN_PLAN_H_
