// The program's entry, apart from the process: checks the argument count,
// seeds the run's random source from the clock, loads the data file, settles
// the annealing parameters from the arguments and their defaults and hands
// the Floorplan to the annealer. main() only supplies the real streams, the
// clock and the stop request of the signals.
#ifndef FLOORPLAN_APP_ENTRY_H_
#define FLOORPLAN_APP_ENTRY_H_

#include "anneal/annealer.h"

// argv[0] is the program name; argv[1..argc-1] are the arguments. Returns the
// exit status: 0 after an annealing run, -1 after the usage text, a failed
// load, a refused run or a failed write of the log. An interrupted run
// returns 0 after writing its report; the caller raises the signal.
int RunFloorplan(int argc, const char* const* argv, const RunContext& context);

#endif  // FLOORPLAN_APP_ENTRY_H_
