// The entry of `floorplan-search`, apart from the process: reads the data
// file, makes the plan's runs on worker threads within the budget, writes
// the winner's log when asked (its replay, on the logging path) and prints
// the summary; or, with --replay, prints exactly what one `floorplan` run
// prints. main() only supplies the process.
#ifndef FLOORPLAN_SEARCH_SEARCH_H_
#define FLOORPLAN_SEARCH_SEARCH_H_

#include "cli/program_io.h"

// argv[0] is the program's name or path; a path goes into the replay
// command. Returns kExitSuccess, kExitFailure (a data file refused, no run
// finished, a log or standard output that cannot be written), kExitUsage (a
// command line it cannot use), or 128 + the signal number after a search
// the signal stopped, having printed what it found; the process then ends
// by that signal.
int RunSearch(int argc, const char* const* argv, const ProgramIO& io);

#endif  // FLOORPLAN_SEARCH_SEARCH_H_
