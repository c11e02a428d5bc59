#include "search/search.h"

#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "anneal/parameters.h"
#include "app/entry.h"
#include "app/exit_status.h"
#include "app/stop_signals.h"
#include "app/version.h"
#include "io/data_file.h"
#include "io/output_file.h"
#include "search/run_plan.h"
#include "search/run_pool.h"
#include "search/search_budget.h"
#include "search/search_options.h"
#include "search/search_report.h"

namespace {

constexpr const char* kProgram = "floorplan-search";

// How often the search looks at the clock, the signals and the terminal.
constexpr auto kPollInterval = std::chrono::milliseconds(100);

void Complain(FILE* err, const std::string& message) {
  fprintf(err, "%s: %s\n", kProgram, message.c_str());
  fflush(err);
}

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
std::string ProgramForReplay(const char* argv0) {
  std::string program = argv0 != nullptr ? argv0 : "";
  if (program.find('/') == std::string::npos) return kProgram;
  return AbsolutePath(program);
}

bool ReadModules(const std::string& path, std::vector<DataModule>* modules,
                 FILE* err) {
  std::string reason;
  if (!ReadDataFile(path, modules, &reason)) {
    Complain(err, reason);
    return false;
  }
  // The reader refuses a file whose first two lines are not modules, so
  // this only guards the annealer's precondition.
  if (modules->size() < 2) {
    Complain(err, path + ": fewer than two modules");
    return false;
  }
  return true;
}

int WriteOut(FILE* out, FILE* err, const std::string& text) {
  std::string reason;
  if (!WriteStream(out, text, &reason) || !FlushStream(out, &reason)) {
    Complain(err, "standard output: " + reason);
    return kExitFailure;
  }
  return kExitSuccess;
}

int Replay(const SearchOptions& options, const std::vector<DataModule>& modules,
           const SearchContext& context) {
  AnnealingParameters parameters =
      DefaultParameters(static_cast<uint32_t>(modules.size()));
  const char* texts[6];
  for (int i = 0; i < 6; ++i) texts[i] = options.replayParameters[i].c_str();
  ApplyArguments(texts, 6, &parameters);
  std::vector<std::string> refusals = ParameterRefusals(parameters, true);
  if (!refusals.empty()) {
    for (const std::string& refusal : refusals) {
      Complain(context.err, "--replay: " + WithoutNewline(refusal));
    }
    return kExitUsage;
  }
  ArmStopSignals();
  RunContext run;
  run.out = context.out;
  run.err = context.err;
  int64_t clock = options.replayClock;
  run.clock = [clock] { return clock; };
  run.stop = context.stop;
  AnnealingOutcome outcome = RunOnModules(modules, parameters, clock, run);
  if (outcome.status == AnnealingStatus::kOutputFailed) {
    Complain(context.err, std::string("standard output: cannot write: ") +
                              strerror(outcome.outputError));
    return kExitFailure;
  }
  std::string reason;
  if (!FlushStream(context.out, &reason)) {
    Complain(context.err, "standard output: " + reason);
    return kExitFailure;
  }
  if (outcome.status == AnnealingStatus::kInterrupted) {
    return ExitStatusForSignal(context.stop->load());
  }
  return kExitSuccess;
}

// Replays the winner on the logging path into the log. False, with a
// message, when the log cannot be written.
bool WriteWinnerLog(const std::vector<DataModule>& modules,
                    const PlannedRun& winner, const FinishedRun& result,
                    const std::string& logPath, OutputFile* log, FILE* err) {
  RunContext run;
  run.out = log->stream();
  run.err = err;
  int64_t clock = winner.clock;
  run.clock = [clock] { return clock; };
  AnnealingOutcome outcome =
      RunOnModules(modules, winner.parameters, winner.clock, run);
  std::string reason;
  if (outcome.status == AnnealingStatus::kOutputFailed) {
    reason = std::string("cannot write: ") + strerror(outcome.outputError);
  } else if (outcome.status != AnnealingStatus::kRan ||
             outcome.bestCost != result.cost) {
    reason = "the replay of run " + std::to_string(result.index) +
             " did not give its cost " + AreaText(result.cost);
  } else if (log->Commit(&reason)) {
    return true;
  }
  Complain(err, logPath + ": " + reason);
  return false;
}

// One search from start to summary: owns the log file from Open to Commit
// and the start time every deadline counts from.
class Search {
 public:
  Search(const SearchOptions& options, const std::vector<DataModule>& modules,
         const SearchContext& context, const char* argv0)
      : options_(options),
        modules_(modules),
        context_(context),
        argv0_(argv0),
        moduleArea_(TotalModuleArea(modules)),
        log_(context.out) {}

  int Run();

 private:
  double Elapsed() const {
    return std::chrono::duration<double>(RunPool::Clock::now() - start_)
        .count();
  }
  int Signal() const {
    return context_.stop != nullptr ? context_.stop->load() : 0;
  }
  // Waits for the runs until they end, the budget is spent or a signal
  // asks to stop, showing progress on a terminal.
  void Watch(RunPool* pool);

  const SearchOptions& options_;
  const std::vector<DataModule>& modules_;
  const SearchContext& context_;
  const char* argv0_;
  Area moduleArea_;
  OutputFile log_;
  RunPool::Clock::time_point start_;
};

void Search::Watch(RunPool* pool) {
  bool progress = context_.errIsTerminal && !options_.quiet;
  while (Signal() == 0 &&
         (options_.runs != 0 || Elapsed() < pool->SearchEnd())) {
    if (progress) {
      SearchState state = pool->State();
      std::string line =
          ProgressLine(Elapsed(), options_.budgetSeconds, state.runsDone,
                       state.haveBest, state.best.cost, moduleArea_);
      fprintf(context_.err, "\r%s", line.c_str());
      fflush(context_.err);
    }
    if (pool->WaitFor(kPollInterval)) break;
  }
  pool->Stop();
  if (progress) {
    fputs("\r\033[K", context_.err);
    fflush(context_.err);
  }
}

int Search::Run() {
  start_ = RunPool::Clock::now();
  std::string reason;
  bool wantLog = !options_.logPath.empty();
  if (wantLog && !log_.Open(options_.logPath, {options_.dataPath}, &reason)) {
    Complain(context_.err, options_.logPath + ": " + reason);
    return kExitFailure;
  }
  int64_t baseClock =
      options_.haveClock ? options_.clock : context_.clock() & 0xFFFFFFFF;
  RunPlan plan(modules_, options_.budgetSeconds, wantLog, baseClock);
  SearchBudget budget(options_.budgetSeconds, wantLog,
                      RunTimeModel(plan.numModules()));
  uint32_t jobs = options_.jobs != 0 ? options_.jobs
                                     : std::max(1u, context_.hardwareThreads);
  ArmStopSignals();
  RunPool pool(modules_, plan, &budget, options_.runs, start_, context_.err);
  // A signal that came before the search leaves nothing to start.
  if (Signal() == 0) pool.Start(jobs);
  Watch(&pool);
  double seconds = Elapsed();
  int signal = Signal();

  SearchState state = pool.State();
  if (!state.haveBest) {
    Complain(context_.err,
             options_.dataPath + ": no run finished" +
                 (signal != 0 ? " before the signal" : " within the budget"));
    return kExitFailure;
  }
  PlannedRun winner = plan.Run(state.best.index);
  bool logWritten =
      !wantLog || WriteWinnerLog(modules_, winner, state.best, options_.logPath,
                                 &log_, context_.err);
  SummaryFacts facts;
  facts.dataPath = AbsolutePath(options_.dataPath);
  facts.numModules = static_cast<uint32_t>(modules_.size());
  facts.moduleArea = moduleArea_;
  facts.cost = state.best.cost;
  facts.runsDone = state.runsDone;
  facts.clock = winner.clock;
  facts.parameters = winner.parameters;
  facts.replayCommand = ReplayCommand(ProgramForReplay(argv0_), winner.clock,
                                      winner.parameters, facts.dataPath);
  facts.runIndex = state.best.index;
  facts.moves = state.best.moves;
  facts.seconds = seconds;
  facts.interrupted = signal != 0;
  if (WriteOut(context_.out, context_.err, SummaryText(facts)) !=
          kExitSuccess ||
      !logWritten) {
    return kExitFailure;
  }
  return signal != 0 ? ExitStatusForSignal(signal) : kExitSuccess;
}

}  // namespace

int RunSearch(int argc, const char* const* argv, const SearchContext& context) {
  SearchOptions options;
  std::string error;
  if (!ParseSearchOptions(argc, argv, &options, &error)) {
    fprintf(context.err, "%s: %s\n%s", kProgram, error.c_str(), kSearchUsage);
    fflush(context.err);
    return kExitUsage;
  }
  if (options.help) return WriteOut(context.out, context.err, kSearchUsage);
  if (options.version) {
    return WriteOut(context.out, context.err,
                    std::string(kProgram) + " " + kFloorplanVersion + "\n");
  }
  std::vector<DataModule> modules;
  if (!ReadModules(options.dataPath, &modules, context.err)) {
    return kExitFailure;
  }
  if (options.replay) return Replay(options, modules, context);
  Search search(options, modules, context, argc > 0 ? argv[0] : nullptr);
  return search.Run();
}
