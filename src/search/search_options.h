// The command line of `floorplan-search`, understood:
//
//   floorplan-search [--time SECONDS] [--jobs N] [--log FILE] [--quiet]
//                    [--clock C] [--runs N] DATAFILE
//   floorplan-search --replay CLOCK LAMBDA T0 TF W1 W2 W3 DATAFILE
//   floorplan-search --help | --version
//
// Parsing only checks the forms of the values; whether the data file can be
// read is the search's business.
#ifndef FLOORPLAN_SEARCH_SEARCH_OPTIONS_H_
#define FLOORPLAN_SEARCH_SEARCH_OPTIONS_H_

#include <cstdint>
#include <string>

#include "cli/command_line.h"

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
  uint32_t jobs = 0;    // 0: the number of hardware threads
  std::string logPath;  // empty: no log
  bool quiet = false;
  bool haveClock = false;
  int64_t clock = 0;  // the clock second of run 0, when haveClock
  uint64_t runs = 0;  // 0: as many as the budget allows
  std::string dataPath;

  // --replay: the seven texts after it, in floorplan's order (CLOCK first),
  // and dataPath. The parameter texts are converted as floorplan converts
  // its arguments.
  bool replay = false;
  int64_t replayClock = 0;
  std::string replayParameters[6];
};

// False, with a one-line reason, for a command line that cannot be used:
// an unknown option, a missing or malformed value (--time and --jobs must be
// positive numbers, a clock second lies in [0, 2^32)), or a wrong number of
// data files. `commandLine` tells whether --help or --version was asked
// for, and then nothing else is set.
bool ParseSearchOptions(int argc, const char* const* argv,
                        SearchOptions* options, CommandLine* commandLine,
                        std::string* error);

#endif  // FLOORPLAN_SEARCH_SEARCH_OPTIONS_H_
