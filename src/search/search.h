// The entry of `floorplan-search`, apart from the process: reads the data
// file, makes the plan's runs on worker threads within the budget, writes
// the winner's log when asked (its replay, on the logging path) and prints
// the summary; or, with --replay, prints exactly what one `floorplan` run
// prints. main() only supplies the real streams, the clock, whether
// standard error is a terminal and the stop request of the signals.
#ifndef FLOORPLAN_SEARCH_SEARCH_H_
#define FLOORPLAN_SEARCH_SEARCH_H_

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>

// What the process lends the entry; the caller owns the streams and the
// stop flag, which must outlive the call.
struct SearchContext {
  FILE* out = stdout;
  FILE* err = stderr;
  // Whether `err` is a terminal, where the progress line goes.
  bool errIsTerminal = false;
  // The calendar clock in whole seconds: the base clock second without
  // --clock.
  std::function<int64_t()> clock;
  // When set and non-zero (a signal number), the search stops early and
  // reports what it has.
  const std::atomic<int>* stop = nullptr;
  // Runs at once without --jobs.
  uint32_t hardwareThreads = 1;
};

// argv[0] is the program's name or path; a path goes into the replay
// command. Returns kExitSuccess, kExitFailure (a data file refused, no run
// finished, a log or standard output that cannot be written), kExitUsage (a
// command line it cannot use), or 128 + the signal number after a search
// the signal stopped.
int RunSearch(int argc, const char* const* argv, const SearchContext& context);

#endif  // FLOORPLAN_SEARCH_SEARCH_H_
