// The texts `floorplan-search` prints: the summary on standard output, whose
// lines scripts parse, and the progress line on a terminal.
//
// The summary holds these lines, in this order:
//
//   data: PATH (N modules, module area A)
//   cost: AREA (dead space D %, R runs)
//   clock: C
//   parameters: LAMBDA T0 TF W1 W2 W3
//   replay: COMMAND
//   run: I (M moves), search S s[, interrupted]
//
// `parameters:` holds texts that floorplan's conversion reads back to the
// very values the run used, and `replay:` is a shell command line that
// prints the winning run's log byte for byte from any directory.
#ifndef FLOORPLAN_SEARCH_SEARCH_REPORT_H_
#define FLOORPLAN_SEARCH_SEARCH_REPORT_H_

#include <cstdint>
#include <string>

#include "anneal/parameters.h"
#include "model/area.h"

// `text` as one word for a POSIX shell: unchanged when it holds only
// characters no shell treats specially, else in single quotes.
std::string ShellQuoted(const std::string& text);

// "LAMBDA T0 TF W1 W2 W3", each in its shortest exact text.
std::string ParametersText(const AnnealingParameters& parameters);

// The command line that replays the run: `program` (a path or a name found
// on PATH) with --replay, the clock second, the parameters and the absolute
// data path, quoted for a shell.
std::string ReplayCommand(const std::string& program, int64_t clock,
                          const AnnealingParameters& parameters,
                          const std::string& absoluteDataPath);

// Everything the summary tells, gathered by the entry once the search has
// its winner; cost and moduleArea give the dead space.
struct SummaryFacts {
  std::string dataPath;  // absolute
  uint32_t numModules = 0;
  Area moduleArea = 0;
  Area cost = 0;
  uint64_t runsDone = 0;
  int64_t clock = 0;
  AnnealingParameters parameters;
  std::string replayCommand;
  uint64_t runIndex = 0;
  uint64_t moves = 0;
  double seconds = 0;
  bool interrupted = false;
};

std::string SummaryText(const SummaryFacts& facts);

// One progress line for a terminal, to be written after a carriage return:
// elapsed time against the budget, runs done and the best so far, ending by
// clearing the rest of the line.
std::string ProgressLine(double elapsed, double budget, uint64_t runsDone,
                         Area bestCost, Area moduleArea);

#endif  // FLOORPLAN_SEARCH_SEARCH_REPORT_H_
