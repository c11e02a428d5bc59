#include "anneal/clock_second_run.h"

#include "io/loader.h"
#include "random/random.h"

AnnealingOutcome RunAtClockSecond(const std::vector<DataModule>& modules,
                                  const AnnealingParameters& parameters,
                                  int64_t clockSecond,
                                  const RunOptions& options) {
  RandomSource random(static_cast<uint64_t>(clockSecond));
  return SimulatedAnnealing(
      parameters, BuildFloorplan(modules, &random), &random,
      [clockSecond] { return clockSecond; }, options);
}
