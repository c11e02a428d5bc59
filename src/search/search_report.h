// The texts `floorplan-search` prints: the summary on standard output, whose
// lines scripts (and --best) parse, and the progress line on a terminal.
//
// The summary holds these lines, in this order:
//
//   data: PATH (N modules, module area A)
//   cost: AREA (dead space D %, R runs)
//   clock: C
//   parameters: LAMBDA T0 TF W1 W2 W3
//   replay: COMMAND
//   run: I (M moves), search S s[, NOTE]
//   plan: P cores, K long runs of X moves a core, L of them finished
//   outline: W H: fits as W' x H' (area A')    (or: no run fits (closest W' x
//   H')) slice: --time B --cores P --clock C0[ --log][ --outline W H]
//   --first-run F[ --runs N], data DIGEST
//
// The outline line is there only for a search against an outline. NOTE
// tells why a search ended before its budget. `parameters:` holds texts that
// floorplan's conversion reads back to the very values the run used, and
// `replay:` is a shell command line that prints the winning run's log byte
// for byte from any directory. `slice:` names what decides the plan's runs,
// so that summaries of slices of one plan can be told from others.
#ifndef FLOORPLAN_SEARCH_SEARCH_REPORT_H_
#define FLOORPLAN_SEARCH_SEARCH_REPORT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "anneal/parameters.h"
#include "io/data_file.h"
#include "model/area.h"
#include "model/shape_cost.h"

// `text` as one word for a POSIX shell: unchanged when it holds only
// characters no shell treats specially, else in single quotes.
std::string ShellQuoted(const std::string& text);

// "LAMBDA T0 TF W1 W2 W3", each in its shortest exact text.
std::string ParametersText(const AnnealingParameters& parameters);

// The command line that replays the run: `program` (a path or a name found
// on PATH) with --replay, the clock second, the parameters, the outline
// when there is one and the absolute data path, quoted for a shell.
std::string ReplayCommand(const std::string& program, int64_t clock,
                          const AnnealingParameters& parameters,
                          const Outline* outline,
                          const std::string& absoluteDataPath);

// A digest of the modules, the same for the same data whatever its path.
uint64_t DataDigest(const std::vector<DataModule>& modules);

// Why a search ended before its budget, if it did.
enum class SearchEnding { kBudget, kInterrupted, kRunsDone, kNothingFits };

// Everything the summary tells, gathered by the entry once the search has
// its winner (or read back from a summary); cost and moduleArea give the
// dead space.
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
  SearchEnding ending = SearchEnding::kBudget;
  // The plan.
  uint32_t cores = 1;
  uint64_t longRunsPerCore = 1;
  uint64_t longRunMoves = 0;
  uint64_t longRunsDone = 0;
  // The outline and the winner's shape against it.
  bool hasOutline = false;
  Outline outline;
  FloorplanShape shape;
  // The slice: what decides the plan's runs, and which of them were made.
  double budgetSeconds = 0;
  int64_t baseClock = 0;
  bool logShortens = false;  // the runs leave time for the winner's log
  uint64_t firstRun = 0;
  uint64_t runs = 0;  // 0: as many as the budget allowed
  uint64_t dataDigest = 0;
};

std::string SummaryText(const SummaryFacts& facts);

// Reads back a summary SummaryText wrote: SummaryText(facts) gives `text`
// again. False, with the line and the reason, for any other text.
bool ParseSummary(const std::string& text, SummaryFacts* facts,
                  std::string* error);

// One progress line for a terminal, to be written after a carriage return:
// elapsed time against the budget, runs done and the best so far, ending by
// clearing the rest of the line.
std::string ProgressLine(double elapsed, double budget, uint64_t runsDone,
                         Area bestCost, Area moduleArea);

// `value` with a comma between groups of three digits: "9,400,000".
std::string GroupedNumber(uint64_t value);

#endif  // FLOORPLAN_SEARCH_SEARCH_REPORT_H_
