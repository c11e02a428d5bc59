// Times whole runs of the program in-process, at a fixed clock, and prints
// per data file: modules, moves, seconds, moves per second, final area and
// dead space. With --compare, every file is run on both hot paths side by
// side and the outputs are checked to be identical. With --logless, the
// fast path writing its log (to /dev/null) is set beside the logless path
// that floorplan-search takes for the runs it may throw away, each the best
// of three alternating repetitions, and both are checked to reach the same
// cost in the same moves.
//
//   floorplan_bench [--plain | --compare | --logless] FILE [PARAMETERS...]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "anneal/log_reader.h"
#include "anneal/parameters.h"
#include "anneal/clock_second_run.h"
#include "io/data_file.h"
#include "model/area.h"
#include "testing/captured_run.h"
#include "testing/memory_stream.h"

namespace {

struct Result {
  std::string output;
  double seconds = 0;
  int status = 0;
};

// Processor time of this process: steadier than the wall clock on a machine
// that is doing other work too.
double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) +
         1e-9 * static_cast<double>(now.tv_nsec);
}

Result Run(const std::vector<std::string>& arguments, HotPath hotPath) {
  double start = CpuSeconds();
  CapturedRun run = RunCaptured(arguments, kGoldenClock, hotPath);
  Result result;
  result.seconds = CpuSeconds() - start;
  result.status = run.status;
  result.output = run.out;
  return result;
}

void Report(const char* label, const std::string& path, const Result& result) {
  std::vector<DataModule> modules;
  std::string error;
  if (!ReadDataFile(path, &modules, &error)) {
    fprintf(stderr, "floorplan_bench: %s\n", error.c_str());
    return;
  }
  RunLog log;
  LogError logError;
  FILE* output = StreamOf(result.output);
  bool read = ReadRunLog(output, 0, nullptr, &log, &logError);
  fclose(output);
  if (!read) {
    fprintf(stderr, "floorplan_bench: %s: line %llu: %s\n", path.c_str(),
            static_cast<unsigned long long>(logError.line),
            logError.message.c_str());
    return;
  }
  double dead = DeadSpacePercent(log.finalCost, TotalModuleArea(modules));
  printf("%-6s %-28s %7zu %10llu %9.3f %11.0f %12s %8.2f%%\n", label,
         path.c_str(), modules.size(),
         static_cast<unsigned long long>(log.moves), result.seconds,
         static_cast<double>(log.moves) / result.seconds,
         AreaText(log.finalCost).c_str(), dead);
}

struct Timed {
  AnnealingOutcome outcome;
  double seconds = 1e300;
};

// The best of three repetitions of each path, alternating, so that a change
// in the machine's load touches both alike.
int CompareLogless(const std::vector<std::string>& arguments) {
  const std::string& path = arguments[0];
  std::vector<DataModule> modules;
  std::string error;
  if (!ReadDataFile(path, &modules, &error)) {
    fprintf(stderr, "floorplan_bench: %s\n", error.c_str());
    return 1;
  }
  AnnealingParameters parameters =
      DefaultParameters(static_cast<uint32_t>(modules.size()));
  std::vector<const char*> texts;
  for (size_t i = 1; i < arguments.size(); ++i)
    texts.push_back(arguments[i].c_str());
  ApplyArguments(texts.data(), static_cast<int>(texts.size()), &parameters);
  FILE* devNull = fopen("/dev/null", "w");
  if (devNull == nullptr) return 1;
  Timed timed[2];  // logging, logless
  for (int repetition = 0; repetition < 3; ++repetition) {
    for (int logless = 0; logless < 2; ++logless) {
      RunOptions options;
      options.out = devNull;
      options.logging = logless ? Logging::kOff : Logging::kOn;
      double start = CpuSeconds();
      timed[logless].outcome =
          RunAtClockSecond(modules, parameters, kGoldenClock, options);
      timed[logless].seconds =
          std::min(timed[logless].seconds, CpuSeconds() - start);
    }
  }
  fclose(devNull);
  const char* labels[2] = {"log", "nolog"};
  for (int logless = 0; logless < 2; ++logless) {
    const Timed& t = timed[logless];
    printf("%-6s %-28s %7zu %10llu %9.3f %11.0f %12s %8.2f%%\n",
           labels[logless], path.c_str(), modules.size(),
           static_cast<unsigned long long>(t.outcome.moves), t.seconds,
           static_cast<double>(t.outcome.moves) / t.seconds,
           AreaText(t.outcome.bestCost).c_str(),
           DeadSpacePercent(t.outcome.bestCost, TotalModuleArea(modules)));
  }
  bool same = timed[0].outcome.bestCost == timed[1].outcome.bestCost &&
              timed[0].outcome.moves == timed[1].outcome.moves;
  printf("%-6s %-28s logless %.2fx the moves per second, run %s\n", "ratio",
         path.c_str(), timed[0].seconds / timed[1].seconds,
         same ? "identical" : "DIFFERENT");
  return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int at = 1;
  bool plain = false;
  bool compare = false;
  if (at < argc && std::strcmp(argv[at], "--plain") == 0) plain = true, ++at;
  if (at < argc && std::strcmp(argv[at], "--compare") == 0)
    compare = true, ++at;
  bool logless = false;
  if (at < argc && std::strcmp(argv[at], "--logless") == 0)
    logless = true, ++at;
  if (at >= argc) {
    fprintf(stderr,
            "usage: floorplan_bench [--plain | --compare | --logless] FILE "
            "[PARAMETERS...]\n");
    return 2;
  }
  std::vector<std::string> arguments(argv + at, argv + argc);
  const std::string& path = arguments[0];
  if (logless) return CompareLogless(arguments);
  if (!compare) {
    Result result = Run(arguments, plain ? HotPath::kPlain : HotPath::kFast);
    Report(plain ? "plain" : "fast", path, result);
    return result.status == 0 ? 0 : 1;
  }
  Result fast = Run(arguments, HotPath::kFast);
  Result reference = Run(arguments, HotPath::kPlain);
  Report("fast", path, fast);
  Report("plain", path, reference);
  bool same = fast.output == reference.output;
  printf("%-6s %-28s speed-up %.1fx, output %s\n", "ratio", path.c_str(),
         reference.seconds / fast.seconds, same ? "identical" : "DIFFERENT");
  return same ? 0 : 1;
}
