#include "search/search.h"

#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "anneal/clock_second_run.h"
#include "anneal/log_format.h"
#include "anneal/parameters.h"
#include "cli/exit_status.h"
#include "cli/stop_signals.h"
#include "io/data_file.h"
#include "io/number_text.h"
#include "io/output_file.h"
#include "search/best_summary.h"
#include "search/run_plan.h"
#include "search/run_pool.h"
#include "search/search_budget.h"
#include "search/search_options.h"
#include "search/search_report.h"
#include "search/winner_log.h"

namespace {

// How often the search looks at the clock, the signals and the terminal.
constexpr auto kPollInterval = std::chrono::milliseconds(100);

std::string WithoutNewline(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// The path made absolute, so that the replay command works from anywhere.
std::string AbsolutePath(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) != nullptr) return resolved;
  return path;
}

// A program started through a path is named by that path made absolute;
// one found on PATH is named as installed.
std::string ProgramForReplay(const ProgramIO& io, const char* argv0) {
  std::string program = argv0 != nullptr ? argv0 : "";
  if (program.find('/') == std::string::npos) return io.program;
  return AbsolutePath(program);
}

// A replay reads the data file as floorplan does, whatever its lines; a
// search only takes a file of nothing but module lines.
bool ReadModules(const std::string& path, bool asFloorplanReads,
                 std::vector<DataModule>* modules, const ProgramIO& io) {
  std::string reason;
  bool read = asFloorplanReads ? ReadDataFile(path, modules, &reason)
                               : ReadStrictDataFile(path, modules, &reason);
  if (!read) {
    io.Complain(reason);
    return false;
  }
  // The reader refuses a file whose first two lines are not modules, so
  // this only guards the annealer's precondition.
  if (modules->size() < 2) {
    io.Complain(path + ": fewer than two modules");
    return false;
  }
  return true;
}

// The outline the options name, for these modules; false after saying why.
bool TakeOutline(const SearchOptions& options,
                 const std::vector<DataModule>& modules, bool* wanted,
                 Outline* outline, const ProgramIO& io) {
  std::string error;
  if (ResolveOutline(options.outline, TotalModuleArea(modules), wanted, outline,
                     &error)) {
    return true;
  }
  io.Complain(error);
  return false;
}

int Replay(const SearchOptions& options, const std::vector<DataModule>& modules,
           const ProgramIO& io) {
  AnnealingParameters parameters =
      DefaultParameters(static_cast<uint32_t>(modules.size()));
  const char* texts[6];
  for (int i = 0; i < 6; ++i) texts[i] = options.replayParameters[i].c_str();
  ApplyArguments(texts, 6, &parameters);
  std::vector<std::string> refusals = ParameterRefusals(parameters, true);
  if (!refusals.empty()) {
    for (const std::string& refusal : refusals) {
      io.Complain("--replay: " + WithoutNewline(refusal));
    }
    return kExitUsage;
  }
  bool hasOutline = false;
  Outline outline;
  if (!TakeOutline(options, modules, &hasOutline, &outline, io)) {
    return kExitFailure;
  }
  ArmStopSignals();
  RunOptions run;
  run.out = io.out;
  run.err = io.err;
  run.stop = io.stop;
  if (hasOutline) run.cost = ShapeCost(outline);
  AnnealingOutcome outcome =
      RunAtClockSecond(modules, parameters, options.replayClock, run);
  if (outcome.status == AnnealingStatus::kOutputFailed) {
    io.Complain(LostWrite("standard output", strerror(outcome.outputError)));
    return kExitFailure;
  }
  if (!io.WriteAll("")) return kExitFailure;
  if (outcome.status == AnnealingStatus::kInterrupted) {
    return ExitStatusForSignal(io.StopSignal());
  }
  return kExitSuccess;
}

// "about 40 s": two significant digits are all an estimate has.
std::string AboutSeconds(double seconds) {
  char text[32];
  snprintf(text, sizeof text, "%.2g", seconds);
  return std::to_string(static_cast<int64_t>(ParseDecimal(text) + 0.5));
}

// One search from start to summary and log: owns the log file from Open to
// Commit and the start time every deadline counts from.
class Search {
 public:
  Search(const SearchOptions& options, const std::vector<DataModule>& modules,
         const ProgramIO& io, const char* argv0)
      : options_(options),
        modules_(modules),
        io_(io),
        argv0_(argv0),
        moduleArea_(TotalModuleArea(modules)),
        log_(io.out) {}

  int Run();

 private:
  double Elapsed() const {
    return std::chrono::duration<double>(RunPool::Clock::now() - start_)
        .count();
  }
  // Waits for the runs until they end, the budget is spent or a signal
  // asks to stop, showing progress on a terminal.
  void Watch(RunPool* pool);
  // Says that no run finished, and how far the first one got.
  int NoRunFinished(const RunPlan& plan, const SearchState& state, int signal);

  const SearchOptions& options_;
  const std::vector<DataModule>& modules_;
  const ProgramIO& io_;
  const char* argv0_;
  Area moduleArea_;
  OutputFile log_;
  RunPool::Clock::time_point start_;
};

void Search::Watch(RunPool* pool) {
  bool progress = io_.errIsTerminal && !options_.quiet;
  while (io_.StopSignal() == 0 &&
         (options_.runs != 0 || Elapsed() < pool->SearchEnd())) {
    if (progress) {
      SearchState state = pool->State();
      std::string line =
          ProgressLine(Elapsed(), options_.budgetSeconds, state.runsDone,
                       state.best.cost, moduleArea_);
      fprintf(io_.err, "\r%s", line.c_str());
      fflush(io_.err);
    }
    if (pool->WaitFor(kPollInterval)) break;
  }
  pool->Stop();
  if (progress) {
    fputs("\r\033[K", io_.err);
    fflush(io_.err);
  }
}

int Search::NoRunFinished(const RunPlan& plan, const SearchState& state,
                          int signal) {
  std::string message = options_.dataPath + ": no run finished";
  if (signal != 0) {
    io_.Complain(message + " before the signal");
    return ExitStatusForSignal(signal);
  }
  std::string size = GroupedNumber(plan.numModules()) + " modules: ";
  std::string budget = ParameterText(options_.budgetSeconds);
  if (state.firstRunMoves == 0) {
    io_.Complain(options_.dataPath + ": " + size +
                 "the first run made no move in " + budget + " s");
  } else {
    double needs =
        Elapsed() *
        static_cast<double>(plan.Run(options_.firstRun).expectedMoves) /
        static_cast<double>(state.firstRunMoves);
    io_.Complain(options_.dataPath + ": " + size +
                 "the first run needs about " + AboutSeconds(needs) +
                 " s here; no run finished in " + budget + " s");
  }
  return kExitFailure;
}

int Search::Run() {
  start_ = RunPool::Clock::now();
  bool hasOutline = false;
  Outline outline;
  if (!TakeOutline(options_, modules_, &hasOutline, &outline, io_)) {
    return kExitFailure;
  }
  std::string reason;
  bool wantLog = !options_.logPath.empty();
  log_.DeferDevices();
  if (wantLog && !log_.Open(options_.logPath, {options_.dataPath}, &reason)) {
    io_.Complain(reason);
    return kExitFailure;
  }
  int64_t baseClock =
      options_.haveClock ? options_.clock : io_.clock() & 0xFFFFFFFF;
  uint32_t cores = options_.cores != 0
                       ? options_.cores
                       : std::max(1u, std::thread::hardware_concurrency());
  uint32_t numModules = static_cast<uint32_t>(modules_.size());
  bool replayForLog = wantLog && IsVerbose(numModules);
  RunPlan plan(modules_, options_.budgetSeconds, cores, baseClock, wantLog);
  LogWork logWork = !wantLog       ? LogWork::kNone
                    : replayForLog ? LogWork::kReplay
                                   : LogWork::kFromRecord;
  SearchBudget budget(options_.budgetSeconds, logWork,
                      RunTimeModel(numModules));
  PoolSettings settings;
  settings.firstRun = options_.firstRun;
  settings.runLimit = options_.runs;
  if (hasOutline) settings.cost = ShapeCost(outline);
  settings.record = logWork == LogWork::kFromRecord;
  ArmStopSignals();
  RunPool pool(modules_, plan, &budget, settings, start_, io_.err);
  // A signal that came before the search leaves nothing to start.
  if (io_.StopSignal() == 0) {
    pool.Start(options_.jobs != 0 ? options_.jobs : cores);
  }
  Watch(&pool);
  double seconds = Elapsed();
  int signal = io_.StopSignal();

  SearchState state = pool.State();
  if (state.outOfMemory) {
    io_.Complain("out of memory");
    return kExitFailure;
  }
  if (state.runsDone == 0) return NoRunFinished(plan, state, signal);
  PlannedRun winner = plan.Run(state.best.index);
  SummaryFacts facts;
  facts.dataPath = AbsolutePath(options_.dataPath);
  facts.numModules = numModules;
  facts.moduleArea = moduleArea_;
  facts.cost = state.best.cost;
  facts.runsDone = state.runsDone;
  facts.clock = winner.clock;
  facts.parameters = winner.parameters;
  facts.replayCommand = ReplayCommand(
      ProgramForReplay(io_, argv0_), winner.clock, winner.parameters,
      hasOutline ? &outline : nullptr, facts.dataPath);
  facts.runIndex = state.best.index;
  facts.moves = state.best.moves;
  facts.seconds = seconds;
  bool early = budget.EndsEarly(seconds);
  facts.ending = signal != 0                  ? SearchEnding::kInterrupted
                 : !early || !state.exhausted ? SearchEnding::kBudget
                 : options_.runs != 0         ? SearchEnding::kRunsDone
                                              : SearchEnding::kNothingFits;
  facts.cores = plan.cores();
  facts.longRunsPerCore = plan.longRunsPerCore();
  facts.longRunMoves = plan.Run(plan.firstLongRun()).expectedMoves;
  facts.longRunsDone = state.longRunsDone;
  facts.hasOutline = hasOutline;
  facts.outline = outline;
  facts.shape = state.best.shape;
  facts.budgetSeconds = options_.budgetSeconds;
  facts.baseClock = baseClock;
  facts.logShortens = wantLog;
  facts.firstRun = options_.firstRun;
  facts.runs = options_.runs;
  facts.dataDigest = DataDigest(modules_);
  // The summary first: whatever happens to the log, it is said.
  bool summarized = io_.WriteAll(SummaryText(facts));
  if (wantLog) {
    std::unique_ptr<MoveRecord> record = pool.TakeBestRecord();
    WinnerForLog forLog;
    forLog.run = winner;
    forLog.index = state.best.index;
    forLog.cost = state.best.cost;
    forLog.shapeCost = settings.cost;
    forLog.record = record.get();
    // A signal that ended the search asked for its log; a later one stops it.
    forLog.stop = signal == 0 ? io_.stop : nullptr;
    LogOutcome written =
        WriteWinnerLog(modules_, forLog, options_.logPath, &log_, io_);
    if (written == LogOutcome::kStopped) {
      return ExitStatusForSignal(io_.StopSignal());
    }
    if (written == LogOutcome::kFailed) summarized = false;
  }
  if (!summarized) return kExitFailure;
  return signal != 0 ? ExitStatusForSignal(signal) : kExitSuccess;
}

}  // namespace

int RunSearch(int argc, const char* const* argv, const ProgramIO& io) {
  SearchOptions options;
  CommandLine commandLine;
  std::string error;
  if (!ParseSearchOptions(argc, argv, &options, &commandLine, &error)) {
    return RefuseCommandLine(error, SearchUsage(), io);
  }
  int status = kExitSuccess;
  if (AnswerHelpOrVersion(commandLine, SearchUsage(), io, &status)) {
    return status;
  }
  if (options.best) return PrintBestSummary(options.summaryPaths, io);
  std::vector<DataModule> modules;
  if (!ReadModules(options.dataPath, options.replay, &modules, io)) {
    return kExitFailure;
  }
  if (options.replay) return Replay(options, modules, io);
  Search search(options, modules, io, argc > 0 ? argv[0] : nullptr);
  return search.Run();
}
