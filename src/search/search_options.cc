#include "search/search_options.h"

#include <vector>

#include "io/number_text.h"

namespace {

// Far beyond any use, and small enough for every clock to add it safely.
constexpr double kLargestBudget = 1e9;
constexpr uint64_t kMostJobs = 4096;
// Run indices stay far from wrapping when the plan adds its own counts.
constexpr uint64_t kLastRun = uint64_t{1} << 48;
constexpr uint64_t kLastClockSecond = 0xFFFFFFFF;

// What a clock second must be, for the messages.
const std::string kClockSecondNeeds =
    "a clock second from 0 to " + std::to_string(kLastClockSecond);

bool TakeClockSecond(const std::string& text, int64_t* second) {
  uint64_t value = 0;
  if (!ParseWholeNumber(text, kLastClockSecond, &value)) return false;
  *second = static_cast<int64_t>(value);
  return true;
}

// The one table of the search's options: the parser, its messages and the
// usage text all come from it.
std::vector<Option> SearchOptionTable(SearchOptions* o) {
  return {
      {"--time", nullptr, "SECONDS", "a positive number of seconds",
       "wall-clock budget of the whole command (default 60)",
       [o](const std::string& value) {
         double seconds = 0;
         if (!ParseDecimalNumber(value, &seconds) || seconds <= 0 ||
             seconds > kLargestBudget) {
           return false;
         }
         o->budgetSeconds = seconds;
         return true;
       }},
      {"--cores", nullptr, "P",
       "a whole number from 1 to " + std::to_string(kMostJobs),
       "cores the plan is made for, each with its long runs\n"
       "(default: the hardware threads)",
       [o](const std::string& value) {
         uint64_t cores = 0;
         if (!ParseWholeNumber(value, kMostJobs, &cores) || cores == 0) {
           return false;
         }
         o->cores = static_cast<uint32_t>(cores);
         return true;
       }},
      {"--jobs", nullptr, "N",
       "a whole number from 1 to " + std::to_string(kMostJobs),
       "runs at once (default: the plan's cores)",
       [o](const std::string& value) {
         uint64_t jobs = 0;
         if (!ParseWholeNumber(value, kMostJobs, &jobs) || jobs == 0) {
           return false;
         }
         o->jobs = static_cast<uint32_t>(jobs);
         return true;
       }},
      {"--log", nullptr, "FILE", "a file name",
       "write the complete log of the winning run to FILE",
       [o](const std::string& value) {
         o->logPath = value;
         return !value.empty();
       }},
      {"--quiet", "-q", nullptr, "", "no progress line on a terminal",
       [o](const std::string&) {
         o->quiet = true;
         return true;
       }},
      {"--clock", nullptr, "C", kClockSecondNeeds,
       "clock second of the first run (default: now)",
       [o](const std::string& value) {
         o->haveClock = true;
         return TakeClockSecond(value, &o->clock);
       }},
      {"--runs", nullptr, "N", "a positive whole number",
       "exactly N runs, each run to its end, then stop",
       [o](const std::string& value) {
         return ParseWholeNumber(value, kLastRun, &o->runs) && o->runs > 0;
       }},
      {"--first-run", nullptr, "K",
       "a whole number from 0 to " + std::to_string(kLastRun),
       "with --runs: runs K to K+N-1 of the plan (default 0)",
       [o](const std::string& value) {
         return ParseWholeNumber(value, kLastRun, &o->firstRun);
       }},
      {"--replay", nullptr, nullptr, "",
       "print what `floorplan DATAFILE LAMBDA T0 TF W1 W2 W3`\n"
       "prints when started in clock second CLOCK",
       [o](const std::string&) {
         o->replay = true;
         return true;
       }},
      {"--best", nullptr, nullptr, "",
       "print the summary of the whole plan from the\n"
       "summaries of its slices (--first-run, --runs)",
       [o](const std::string&) {
         o->best = true;
         return true;
       }},
  };
}

std::vector<Option> SearchOptionTableWithOutline(SearchOptions* o) {
  std::vector<Option> table = SearchOptionTable(o);
  AddOutlineOptions(&o->outline, &table);
  return table;
}

const Usage kUsage = {
    "floorplan-search",
    {"[OPTION]... DATAFILE",
     "--replay CLOCK LAMBDA T0 TF W1 W2 W3 [OUTLINE] DATAFILE",
     "--best SUMMARY..."},
    "Runs many `floorplan` runs of DATAFILE, with parameters chosen from the\n"
    "data and the budget and started in different clock seconds, and prints\n"
    "the best: its cost, clock second, parameters and the command that\n"
    "replays it.\n",
    "OUTLINE is one of --outline, --outline-from and --whitespace: the runs\n"
    "then anneal against that fixed outline.\n"
    "Exit status: 0 done, 1 an input or output it cannot use, 2 a command\n"
    "line it cannot use; a search stopped by SIGINT or SIGTERM prints what\n"
    "it found and ends by the signal.\n",
};

bool ParseReplay(const std::vector<std::string>& operands,
                 SearchOptions* options, std::string* error) {
  if (operands.size() != 8) {
    *error =
        "--replay needs CLOCK LAMBDA T0 TF W1 W2 W3 DATAFILE (8 arguments, "
        "not " +
        std::to_string(operands.size()) + ")";
    return false;
  }
  if (!TakeClockSecond(operands[0], &options->replayClock)) {
    *error =
        "--replay needs " + kClockSecondNeeds + ", not '" + operands[0] + "'";
    return false;
  }
  for (int i = 0; i < 6; ++i) options->replayParameters[i] = operands[1 + i];
  options->dataPath = operands[7];
  return true;
}

}  // namespace

std::string SearchUsage() {
  SearchOptions unused;
  return UsageText(kUsage, SearchOptionTableWithOutline(&unused));
}

bool ParseSearchOptions(int argc, const char* const* argv,
                        SearchOptions* options, CommandLine* commandLine,
                        std::string* error) {
  if (!ParseCommandLine(argc, argv, SearchOptionTableWithOutline(options),
                        commandLine, error)) {
    return false;
  }
  if (commandLine->help || commandLine->version) return true;
  const std::vector<std::string>& operands = commandLine->operands;
  if (options->best && options->replay) {
    *error = "--best and --replay cannot go together";
    return false;
  }
  if (options->best) {
    if (operands.empty()) {
      *error = "--best needs the summaries to read";
      return false;
    }
    options->summaryPaths = operands;
    return true;
  }
  if (options->replay) return ParseReplay(operands, options, error);
  if (options->firstRun != 0 && options->runs == 0) {
    *error = "--first-run needs --runs: a slice of the plan has a length";
    return false;
  }
  if (operands.size() != 1) {
    *error = operands.empty() ? "no DATAFILE given" : "too many arguments";
    return false;
  }
  options->dataPath = operands[0];
  return true;
}
