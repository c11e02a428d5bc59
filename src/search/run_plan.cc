#include "search/run_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/number_text.h"

namespace {

// The runs in index order. Two short runs first, one per core on a 2-core
// machine: a result however busy the machine, and the measured speed that
// decides which later runs can still end in time. Then the long runs, which
// find the best floorplans (a run's dead space falls with its length far
// more than the best of several shorter runs gains), then ever shorter ones
// to fill the time the long ones leave. A run that cannot end in time is
// skipped for the next shorter one.
constexpr PlanStep kLadder[] = {
    {0.06, {0.03, 5e-5, {2, 1, 1}}}, {0.06, {0.03, 5e-5, {1, 1, 1}}},
    {0.82, {0.03, 5e-5, {2, 1, 1}}}, {0.82, {0.03, 5e-5, {3, 1, 1}}},
    {0.4, {0.03, 5e-5, {2, 1, 1}}},  {0.4, {0.03, 5e-5, {1, 1, 1}}},
    {0.2, {0.03, 5e-5, {2, 1, 1}}},  {0.2, {0.03, 5e-5, {3, 1, 1}}},
};
// After the ladder, these repeat for ever.
constexpr PlanStep kTail[] = {
    {0.1, {0.03, 5e-5, {2, 1, 1}}},
    {0.05, {0.03, 5e-5, {1, 1, 1}}},
};
constexpr uint64_t kLadderSize = sizeof kLadder / sizeof kLadder[0];
constexpr uint64_t kTailSize = sizeof kTail / sizeof kTail[0];
constexpr double kShortestShare = 0.05;

// With a log, the winner is replayed after the search, on one core and a
// little slower than it ran: the runs are sized for this share of the budget,
// so that a long run and its replay both fit.
constexpr double kShareWithLog = 0.45;

const PlanStep& StepOf(uint64_t index) {
  if (index < kLadderSize) return kLadder[index];
  return kTail[(index - kLadderSize) % kTailSize];
}

}  // namespace

uint64_t MovesPerTemperature(uint32_t modules) {
  uint64_t n = modules;
  uint64_t limit = n < 15 ? n * n : 2 * n;
  return 2 * limit + 1;
}

double ModelMovesPerSecond(uint32_t modules) {
  // Measured with two runs at once on a 2-core machine that was doing other
  // work too: 0.55 microseconds a move plus 6 nanoseconds a module.
  return 1e6 / (0.55 + 0.006 * static_cast<double>(modules));
}

double RoundedParameter(double value, int digits) {
  char text[64];
  snprintf(text, sizeof text, "%.*g", digits, value);
  return ParseDecimal(text);
}

std::string ParameterText(double value) {
  char text[64];
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
                 bool replayForLog, int64_t baseClock)
    : numModules_(static_cast<uint32_t>(modules.size())),
      baseClock_(baseClock) {
  double total = static_cast<double>(TotalModuleArea(modules));
  // A data file of empty modules still gets temperatures that can fall.
  averageModuleArea_ = std::max(1.0, total / numModules_);
  double runSeconds = budgetSeconds * (replayForLog ? kShareWithLog : 1.0);
  coreMoves_ = ModelMovesPerSecond(numModules_) * runSeconds;
}

uint64_t RunPlan::MovesFor(double share) const {
  return static_cast<uint64_t>(
      std::clamp(share * coreMoves_,
                 static_cast<double>(MovesPerTemperature(numModules_)), 1e15));
}

PlannedRun RunPlan::Run(uint64_t index) const {
  const PlanStep& step = StepOf(index);
  const PlanSetting& setting = step.setting;
  PlannedRun run;
  AnnealingParameters& p = run.parameters;
  p.T0 = RoundedParameter(setting.initialScale * averageModuleArea_, 4);
  p.Tf = RoundedParameter(setting.finalScale * averageModuleArea_, 4);
  p.lambda = CoolingFactorFor(p.T0, p.Tf, MovesFor(step.share), numModules_);
  p.probM1 = setting.weights[0];
  p.probM2 = setting.weights[1];
  p.probM3 = setting.weights[2];
  run.shortest = step.share <= kShortestShare;
  run.clock = static_cast<int64_t>((static_cast<uint64_t>(baseClock_) + index) &
                                   0xFFFFFFFFu);
  double temperatures = std::ceil(std::log(p.Tf / p.T0) / std::log(p.lambda));
  run.expectedMoves = static_cast<uint64_t>(std::max(1.0, temperatures)) *
                      MovesPerTemperature(numModules_);
  return run;
}
