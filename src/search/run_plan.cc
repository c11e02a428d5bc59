#include "search/run_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/number_text.h"

namespace {

// The cycle of settings. Every setting gets every count-th clock second, so
// any prefix of the sequence tries them all about equally.
constexpr PlanSetting kSettings[] = {
    {0.03, 1e-4, {1, 1, 1}},
    {0.03, 1e-4, {3, 1, 1}},
};
constexpr uint64_t kSettingCount = sizeof kSettings / sizeof kSettings[0];

// The budget buys this many runs on each core: enough runs for the best of
// several clock seconds, few enough that each cools slowly.
constexpr double kRunsPerCore = 8;

}  // namespace

uint64_t MovesPerTemperature(uint32_t modules) {
  uint64_t n = modules;
  uint64_t limit = n < 15 ? n * n : 2 * n;
  return 2 * limit + 1;
}

double ModelMovesPerSecond(uint32_t modules) {
  return std::min(
      2.0e6, 9.5e6 / std::sqrt(std::max(1.0, static_cast<double>(modules))));
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
                 int64_t baseClock)
    : numModules_(static_cast<uint32_t>(modules.size())),
      baseClock_(baseClock) {
  double total = static_cast<double>(TotalModuleArea(modules));
  // A data file of empty modules still gets temperatures that can fall.
  averageModuleArea_ = std::max(1.0, total / numModules_);
  double moves =
      ModelMovesPerSecond(numModules_) * budgetSeconds / kRunsPerCore;
  movesPerRun_ = static_cast<uint64_t>(std::clamp(
      moves, static_cast<double>(MovesPerTemperature(numModules_)), 1e15));
}

PlannedRun RunPlan::Run(uint64_t index) const {
  const PlanSetting& setting = kSettings[index % kSettingCount];
  PlannedRun run;
  AnnealingParameters& p = run.parameters;
  p.T0 = RoundedParameter(setting.initialScale * averageModuleArea_, 4);
  p.Tf = RoundedParameter(setting.finalScale * averageModuleArea_, 4);
  p.lambda = CoolingFactorFor(p.T0, p.Tf, movesPerRun_, numModules_);
  p.probM1 = setting.weights[0];
  p.probM2 = setting.weights[1];
  p.probM3 = setting.weights[2];
  run.clock = static_cast<int64_t>((static_cast<uint64_t>(baseClock_) + index) &
                                   0xFFFFFFFFu);
  double temperatures = std::ceil(std::log(p.Tf / p.T0) / std::log(p.lambda));
  run.expectedMoves = static_cast<uint64_t>(std::max(1.0, temperatures)) *
                      MovesPerTemperature(numModules_);
  return run;
}
