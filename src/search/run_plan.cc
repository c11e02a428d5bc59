#include "search/run_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "anneal/log_format.h"
#include "io/number_text.h"

namespace {

// The temperatures, as shares of the average module area S; smaller files
// anneal in a cooler range (docs/search.md says why).
constexpr double kInitialScale = 0.03;     // T0 / S
constexpr double kFinalScale = 5e-5;       // Tf / S
constexpr uint32_t kCoolRangeBelow = 100;  // modules
constexpr double kCoolInitialScale = 6e-4;
constexpr double kCoolFinalScale = 1e-4;

// The first runs, one a core, are small, so that even a machine many times
// slower than the model's, or one with fewer cores than the plan's, gives a
// result; two sizes in turn tell the budget the cost of a run and of a move.
constexpr double kProbeShares[] = {0.02, 0.05};
// A run's speed varies by some 15 % around the model's from one data file
// to another, and by another 10 % from one clock second to the next; a run
// stopped at the deadline is lost: the long runs leave that much room.
constexpr double kLongShare = 0.80;
// Beyond this many temperatures a run's chance of an exceptional floorplan
// no longer grows: the time goes to more runs instead.
constexpr double kMostTemperatures = 240000;
// Fine steps, one of each a core, so that on a machine slower than the model
// a run nearly as long as the long ones still fits.
constexpr double kFillShares[] = {0.6, 0.4, 0.3, 0.2};
constexpr uint64_t kFillSteps = sizeof kFillShares / sizeof kFillShares[0];
// Then ever shorter runs, a round of each a core, so that a core always has
// a run that ends before the budget does; then the shortest for ever.
constexpr double kTailShares[] = {0.1, 0.05, 0.02, 0.01};
constexpr uint64_t kTailSteps = sizeof kTailShares / sizeof kTailShares[0];
constexpr double kShortestShare = 0.005;

// Below 20 modules the winner's log is its replay, on one core while the
// others wait: runs sized for this share of the budget, divided by the log's
// extra time, leave the search some two thirds of the budget on every core
// and the replay about a third on one.
constexpr double kShareWithReplay = 0.34;

}  // namespace

uint64_t MovesPerTemperature(uint32_t modules) {
  return 2 * uint64_t{MovesLimit(modules)} + 1;
}

// The reference machine's times, measured as docs/search.md tells.
RunTimeModel::RunTimeModel(uint32_t modules)
    : perRunSeconds(4e-6 * static_cast<double>(modules) *
                    static_cast<double>(modules)),
      perMoveSeconds(1e-6 * (0.32 + 0.0038 * static_cast<double>(modules))) {}

namespace {

// Long runs of at most kMostTemperatures temperatures, sharing kLongShare of
// a core's moves.
uint64_t LongRunsPerCore(double coreMoves, uint32_t modules) {
  double temperatures = kLongShare * coreMoves /
                        static_cast<double>(MovesPerTemperature(modules));
  return static_cast<uint64_t>(
      std::clamp(std::ceil(temperatures / kMostTemperatures), 1.0, 1e6));
}

}  // namespace

double RoundedParameter(double value, int digits) {
  char text[64];
  snprintf(text, sizeof text, "%.*g", digits, value);
  return ParseDecimal(text);
}

std::string ParameterText(double value) {
  char text[64];
  // Whole numbers read better without an exponent: --time 60, not 6e+01.
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    snprintf(text, sizeof text, "%.0f", value);
    return text;
  }
  for (int digits = 1; digits < 17; ++digits) {
    snprintf(text, sizeof text, "%.*g", digits, value);
    if (ParseDecimal(text) == value) return text;
  }
  snprintf(text, sizeof text, "%.17g", value);
  return text;
}

double CoolingFactorFor(double T0, double Tf, uint64_t moves,
                        uint32_t modules) {
  double temperatures =
      std::max(1.0, static_cast<double>(moves) /
                        static_cast<double>(MovesPerTemperature(modules)));
  double ratio = Tf > 0 && T0 > Tf ? Tf / T0 : 0.5;
  // 1 - lambda carries the information; four digits of it are plenty.
  double step = -std::expm1(std::log(ratio) / temperatures);
  step = std::clamp(RoundedParameter(step, 4), 1e-12, 0.5);
  return 1.0 - step;
}

RunPlan::RunPlan(const std::vector<DataModule>& modules, double budgetSeconds,
                 uint32_t cores, int64_t baseClock, bool withLog)
    : numModules_(static_cast<uint32_t>(modules.size())),
      cores_(std::max(1u, cores)),
      baseClock_(baseClock) {
  double total = static_cast<double>(TotalModuleArea(modules));
  // A data file of empty modules still gets temperatures that can fall.
  averageModuleArea_ = std::max(1.0, total / numModules_);
  RunTimeModel model(numModules_);
  if (withLog && IsVerbose(numModules_))
    budgetSeconds *= kShareWithReplay / model.replayFactor;
  double available = std::max(0.0, budgetSeconds - model.perRunSeconds);
  coreMoves_ = available / model.perMoveSeconds;
  longRunsPerCore_ = LongRunsPerCore(coreMoves_, numModules_);
  // A winner's log from its record takes a line's time for each of its
  // moves, on one core: the runs leave room for the longest run's log. Fewer
  // moves may mean fewer, longer long runs, hence the few rounds.
  for (int round = 0; withLog && !IsVerbose(numModules_) && round < 4;
       ++round) {
    double longest = kLongShare / static_cast<double>(longRunsPerCore_);
    coreMoves_ =
        available / (model.perMoveSeconds + longest * model.recordLineSeconds);
    longRunsPerCore_ = LongRunsPerCore(coreMoves_, numModules_);
  }
}

double RunPlan::ShareOf(uint64_t index) const {
  double longShare = kLongShare / static_cast<double>(longRunsPerCore_);
  if (index < cores_) return std::min(kProbeShares[index % 2], longShare);
  index -= cores_;
  if (index < longRuns()) return longShare;
  uint64_t step = (index - longRuns()) / cores_;
  double share = step < kFillSteps ? kFillShares[step]
                 : step < kFillSteps + kTailSteps
                     ? kTailShares[step - kFillSteps]
                     : kShortestShare;
  return std::min(share, longShare);
}

PlannedRun RunPlan::Run(uint64_t index) const {
  double share = ShareOf(index);
  uint64_t moves = static_cast<uint64_t>(
      std::clamp(share * coreMoves_,
                 static_cast<double>(MovesPerTemperature(numModules_)), 1e15));
  PlannedRun run;
  AnnealingParameters& p = run.parameters;
  bool cool = numModules_ < kCoolRangeBelow;
  p.T0 = RoundedParameter(
      (cool ? kCoolInitialScale : kInitialScale) * averageModuleArea_, 4);
  p.Tf = RoundedParameter(
      (cool ? kCoolFinalScale : kFinalScale) * averageModuleArea_, 4);
  p.lambda = CoolingFactorFor(p.T0, p.Tf, moves, numModules_);
  // M1 swaps weighted up: two to one and three to one in turn.
  p.probM1 = 2 + static_cast<uint32_t>(index % 2);
  p.probM2 = 1;
  p.probM3 = 1;
  run.shortest =
      share <= std::min(kShortestShare, kLongShare / longRunsPerCore_);
  run.clock = static_cast<int64_t>((static_cast<uint64_t>(baseClock_) + index) &
                                   0xFFFFFFFFu);
  double temperatures = std::ceil(std::log(p.Tf / p.T0) / std::log(p.lambda));
  run.expectedMoves = static_cast<uint64_t>(std::max(1.0, temperatures)) *
                      MovesPerTemperature(numModules_);
  return run;
}
