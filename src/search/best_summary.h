// --best: one plan made in slices (--first-run K --runs N, on many machines
// or at many times) put together again. Reads the slices' summaries and
// prints the summary the whole plan would have printed: the winner is the
// least cost, the lowest run index among equals, as in a search (against an
// outline too, where the cost is the outline's), and the runs, long runs
// finished and seconds of all slices are added up.
//
// The slices must be of one plan, which their `slice:` lines tell: the same
// data (by its digest, whatever its path), budget, cores, base clock and
// options; and together they must make runs K to K+N-1 once each.
#ifndef FLOORPLAN_SEARCH_BEST_SUMMARY_H_
#define FLOORPLAN_SEARCH_BEST_SUMMARY_H_

#include <string>
#include <vector>

#include "cli/program_io.h"

// Returns kExitSuccess after printing the summary, kExitFailure after saying
// which summary cannot be read or which differ.
int PrintBestSummary(const std::vector<std::string>& paths,
                     const ProgramIO& io);

#endif  // FLOORPLAN_SEARCH_BEST_SUMMARY_H_
