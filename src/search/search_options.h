// The command line of `floorplan-search`, understood:
//
//   floorplan-search [--time SECONDS] [--cores P] [--jobs N] [--log FILE]
//                    [--quiet] [--clock C] [--first-run K] [--runs N]
//                    [OUTLINE] DATAFILE
//   floorplan-search --replay CLOCK LAMBDA T0 TF W1 W2 W3 [OUTLINE] DATAFILE
//   floorplan-search --best SUMMARY...
//   floorplan-search --help | --version
//
// where OUTLINE is one of --outline W H, --outline-from FILE and
// --whitespace R (cli/outline_options.h).
//
// Parsing only checks the forms of the values; whether the data file can be
// read is the search's business.
#ifndef FLOORPLAN_SEARCH_SEARCH_OPTIONS_H_
#define FLOORPLAN_SEARCH_SEARCH_OPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/outline_options.h"

// The usage text, for --help on standard output and after a command-line
// error on standard error; made from the option table.
std::string SearchUsage();

constexpr double kDefaultBudgetSeconds = 60;

// Everything the command line says, with the defaults filled in; owned by
// the entry for the whole command. Either replay or a search is asked for;
// dataPath is set for both.
struct SearchOptions {
  // The wall-clock budget of the whole command, and what the runs are sized
  // for (with --runs too).
  double budgetSeconds = kDefaultBudgetSeconds;
  uint32_t cores = 0;   // the plan's; 0: the number of hardware threads
  uint32_t jobs = 0;    // 0: the plan's cores
  std::string logPath;  // empty: no log
  bool quiet = false;
  bool haveClock = false;
  int64_t clock = 0;      // the clock second of run 0, when haveClock
  uint64_t runs = 0;      // 0: as many as the budget allows
  uint64_t firstRun = 0;  // the plan's index of the first run made
  OutlineRequest outline;
  std::string dataPath;

  // --best: the summaries of slices of one plan.
  bool best = false;
  std::vector<std::string> summaryPaths;

  // --replay: the seven texts after it, in floorplan's order (CLOCK first),
  // and dataPath. The parameter texts are converted as floorplan converts
  // its arguments.
  bool replay = false;
  int64_t replayClock = 0;
  std::string replayParameters[6];
};

// False, with a one-line reason, for a command line that cannot be used:
// an unknown option, a missing or malformed value (--time, --cores and
// --jobs must be positive numbers, a clock second lies in [0, 2^32)),
// --first-run without --runs, --best with --replay, or a wrong number of
// operands. `commandLine` tells whether --help or --version was asked
// for, and then nothing else is set.
bool ParseSearchOptions(int argc, const char* const* argv,
                        SearchOptions* options, CommandLine* commandLine,
                        std::string* error);

#endif  // FLOORPLAN_SEARCH_SEARCH_OPTIONS_H_
