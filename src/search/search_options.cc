#include "search/search_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/command_line.h"

const char* const kSearchUsage =
    "usage: floorplan-search [--time SECONDS] [--jobs N] [--log FILE] "
    "[--quiet]\n"
    "                        [--clock C] [--runs N] DATAFILE\n"
    "       floorplan-search --replay CLOCK LAMBDA T0 TF W1 W2 W3 DATAFILE\n"
    "Runs many `floorplan` runs of DATAFILE, with parameters chosen from the\n"
    "data and the budget and started in different clock seconds, and prints\n"
    "the best: its cost, clock second, parameters and the command that\n"
    "replays it.\n"
    "  --time SECONDS  wall-clock budget of the whole command (default 60)\n"
    "  --jobs N        runs at once (default: the hardware threads)\n"
    "  --log FILE      write the complete log of the winning run to FILE\n"
    "  --quiet         no progress line on a terminal\n"
    "  --clock C       clock second of the first run (default: now)\n"
    "  --runs N        exactly N runs, each run to its end, then stop\n"
    "  --replay ...    print what `floorplan DATAFILE LAMBDA T0 TF W1 W2 W3`\n"
    "                  prints when started in clock second CLOCK\n"
    "  --help, --version\n";

namespace {

// Far beyond any use, and small enough for every clock to add it safely.
constexpr double kLargestBudget = 1e9;
constexpr uint64_t kMostJobs = 4096;

bool ParseWhole(const std::string& text, uint64_t limit, uint64_t* value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    uint64_t digit = static_cast<uint64_t>(c - '0');
    if (result > (limit - digit) / 10) return false;
    result = result * 10 + digit;
  }
  *value = result;
  return true;
}

bool ParseSeconds(const std::string& text, double* seconds) {
  if (text.empty() || text[0] == '+' || text[0] == '-' || text[0] == ' ') {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno != 0) return false;
  if (!std::isfinite(value) || value <= 0 || value > kLargestBudget) {
    return false;
  }
  *seconds = value;
  return true;
}

// What each option's value is, for the message when it is missing.
const std::vector<KnownOption> kOptions = {
    {"--time", "a positive number of seconds"},
    {"--jobs", "a whole number from 1 to 4096"},
    {"--log", "a file name"},
    {"--clock", "a clock second from 0 to 4294967295"},
    {"--runs", "a positive whole number"},
    {"--quiet", nullptr},
    {"-q", nullptr},
    {"--replay", nullptr},
};

bool ApplyValue(const std::string& name, const std::string& value,
                SearchOptions* options, std::string* error) {
  uint64_t number = 0;
  if (name == "--time") {
    if (ParseSeconds(value, &options->budgetSeconds)) return true;
  } else if (name == "--jobs") {
    if (ParseWhole(value, kMostJobs, &number) && number > 0) {
      options->jobs = static_cast<uint32_t>(number);
      return true;
    }
  } else if (name == "--runs") {
    if (ParseWhole(value, UINT64_MAX, &number) && number > 0) {
      options->runs = number;
      return true;
    }
  } else if (name == "--clock") {
    if (ParseClockSecond(value, &options->clock)) {
      options->haveClock = true;
      return true;
    }
  } else if (name == "--log") {
    if (!value.empty()) {
      options->logPath = value;
      return true;
    }
    *error = name + " needs a file name";
    return false;
  } else {
    options->quiet = options->quiet || name == "--quiet" || name == "-q";
    options->replay = options->replay || name == "--replay";
    return true;
  }
  for (const KnownOption& known : kOptions) {
    if (name == known.name) {
      *error = name + " needs " + known.value + ", not '" + value + "'";
    }
  }
  return false;
}

bool ParseReplay(const std::vector<std::string>& positional,
                 SearchOptions* options, std::string* error) {
  if (positional.size() != 8) {
    *error =
        "--replay needs CLOCK LAMBDA T0 TF W1 W2 W3 DATAFILE (8 arguments, "
        "not " +
        std::to_string(positional.size()) + ")";
    return false;
  }
  if (!ParseClockSecond(positional[0], &options->replayClock)) {
    *error = "--replay needs a clock second from 0 to 4294967295, not '" +
             positional[0] + "'";
    return false;
  }
  for (int i = 0; i < 6; ++i) options->replayParameters[i] = positional[1 + i];
  options->dataPath = positional[7];
  return true;
}

}  // namespace

bool ParseClockSecond(const std::string& text, int64_t* second) {
  uint64_t value = 0;
  if (!ParseWhole(text, UINT32_MAX, &value)) return false;
  *second = static_cast<int64_t>(value);
  return true;
}

bool ParseSearchOptions(int argc, const char* const* argv,
                        SearchOptions* options, std::string* error) {
  CommandLine line;
  if (!ParseCommandLine(argc, argv, kOptions, &line, error)) return false;
  options->help = line.help;
  options->version = line.version;
  if (line.help || line.version) return true;
  for (const auto& [name, value] : line.options) {
    if (!ApplyValue(name, value, options, error)) return false;
  }
  const std::vector<std::string>& positional = line.operands;
  if (options->replay) return ParseReplay(positional, options, error);
  if (positional.size() != 1) {
    *error = positional.empty() ? "no DATAFILE given" : "too many arguments";
    return false;
  }
  options->dataPath = positional[0];
  return true;
}
