// The entry of `floorplan`, apart from the process: checks the argument
// count, seeds the run's random source from the clock, loads the data file,
// settles the annealing parameters from the arguments and their defaults and
// hands the Floorplan to the annealer. main() only supplies the process.
#ifndef FLOORPLAN_FLOORPLAN_ENTRY_H_
#define FLOORPLAN_FLOORPLAN_ENTRY_H_

#include "anneal/annealer.h"
#include "cli/program_io.h"

// What the program prints for a wrong argument count.
extern const char* const kUsageText;

// argv[0] is the program name; argv[1..argc-1] are the arguments. Returns the
// exit status: 0 after an annealing run, -1 after the usage text, a failed
// load, a refused run or a failed write of the log. An interrupted run
// returns 0 after writing its report; the process then ends by the signal.
// `hotPath` chooses how the moves are made, for tests that compare the two.
int RunFloorplan(int argc, const char* const* argv, const ProgramIO& io,
                 HotPath hotPath = HotPath::kFast);

#endif  // FLOORPLAN_FLOORPLAN_ENTRY_H_
