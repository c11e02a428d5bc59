// The run `floorplan` makes on a data file when started in one clock second.
// `floorplan` reads the calendar clock twice, once to draw the loader's cut
// types and once when the annealing starts; a companion that replays or
// repeats a run gives the same second to both, here, in one place, so that
// no caller can give two.
#ifndef FLOORPLAN_ANNEAL_CLOCK_SECOND_RUN_H_
#define FLOORPLAN_ANNEAL_CLOCK_SECOND_RUN_H_

#include <cstdint>
#include <vector>

#include "anneal/annealer.h"
#include "anneal/parameters.h"
#include "io/data_file.h"

// Builds the first Floorplan of `modules` (at least two) with a random source
// the run owns, seeded with `clockSecond`, and anneals it with the clock
// reading `clockSecond` again: exactly what `floorplan DATAFILE LAMBDA T0 TF
// M1 M2 M3` prints and finds when started in that second.
AnnealingOutcome RunAtClockSecond(const std::vector<DataModule>& modules,
                                  const AnnealingParameters& parameters,
                                  int64_t clockSecond,
                                  const RunOptions& options);

#endif  // FLOORPLAN_ANNEAL_CLOCK_SECOND_RUN_H_
