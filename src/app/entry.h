// The program's entry, apart from the process: checks the argument count,
// seeds the random source from the clock, loads the data file, settles the
// annealing parameters from the arguments and their defaults and hands the
// Floorplan to the annealer. main() only supplies the real streams and clock.
#ifndef FLOORPLAN_APP_ENTRY_H_
#define FLOORPLAN_APP_ENTRY_H_

#include "anneal/annealer.h"

// argv[0] is the program name; argv[1..argc-1] are the arguments. Returns the
// exit status: 0 after an annealing run, -1 after the usage text, a failed
// load or a refused run.
int RunFloorplan(int argc, const char* const* argv, const RunContext& context);

// The default initial temperature 2^(N+6), or the largest finite double where
// that power overflows (from 1018 modules on), so that the default still runs.
double DefaultInitialTemperature(uint32_t modules);

#endif  // FLOORPLAN_APP_ENTRY_H_
