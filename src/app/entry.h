// The program's entry, apart from the process: checks the argument count,
// seeds the run's random source from the clock, loads the data file, settles
// the annealing parameters from the arguments and their defaults and hands
// the Floorplan to the annealer. main() only supplies the real streams, the
// clock and the stop request of the signals.
#ifndef FLOORPLAN_APP_ENTRY_H_
#define FLOORPLAN_APP_ENTRY_H_

#include <cstdint>
#include <vector>

#include "anneal/annealer.h"
#include "anneal/parameters.h"
#include "io/data_file.h"

// What the program prints for a wrong argument count.
extern const char* const kUsageText;

// argv[0] is the program name; argv[1..argc-1] are the arguments. Returns the
// exit status: 0 after an annealing run, -1 after the usage text, a failed
// load, a refused run or a failed write of the log. An interrupted run
// returns 0 after writing its report; the caller raises the signal.
int RunFloorplan(int argc, const char* const* argv, const RunContext& context);

// The run `floorplan` makes on a data file of these modules (at least two):
// the loader's cut types drawn after seeding with `firstSeed`, the clock it
// read before loading, then the annealing, which reseeds from
// context.clock(). A companion that gives the clock value C to both makes
// exactly the run of `floorplan` started in clock second C.
AnnealingOutcome RunOnModules(const std::vector<DataModule>& modules,
                              const AnnealingParameters& parameters,
                              int64_t firstSeed, const RunContext& context);

#endif  // FLOORPLAN_APP_ENTRY_H_
