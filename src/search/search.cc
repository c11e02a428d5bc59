#include "search/search.h"

#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include <thread>

#include "anneal/clock_second_run.h"
#include "anneal/parameters.h"
#include "cli/exit_status.h"
#include "cli/stop_signals.h"
#include "io/data_file.h"
#include "io/output_file.h"
#include "search/run_plan.h"
#include "search/run_pool.h"
#include "search/search_budget.h"
#include "search/search_options.h"
#include "search/search_report.h"

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
  ArmStopSignals();
  RunOptions run;
  run.out = io.out;
  run.err = io.err;
  run.stop = io.stop;
  AnnealingOutcome outcome =
      RunAtClockSecond(modules, parameters, options.replayClock, run);
  if (outcome.status == AnnealingStatus::kOutputFailed) {
    io.Complain(
        LostWrite("standard output", strerror(outcome.outputError)));
    return kExitFailure;
  }
  if (!io.WriteAll("")) return kExitFailure;
  if (outcome.status == AnnealingStatus::kInterrupted) {
    return ExitStatusForSignal(io.StopSignal());
  }
  return kExitSuccess;
}

// Replays the winner on the logging path into the log. False, with a
// message, when the log cannot be written.
bool WriteWinnerLog(const std::vector<DataModule>& modules,
                    const PlannedRun& winner, const FinishedRun& result,
                    const std::string& logPath, OutputFile* log,
                    const ProgramIO& io) {
  RunOptions run;
  run.out = log->stream();
  run.err = io.err;
  AnnealingOutcome outcome =
      RunAtClockSecond(modules, winner.parameters, winner.clock, run);
  std::string message;
  if (outcome.status == AnnealingStatus::kOutputFailed) {
    message = LostWrite(logPath, strerror(outcome.outputError));
  } else if (outcome.status != AnnealingStatus::kRan ||
             outcome.bestCost != result.cost) {
    message = logPath + ": the replay of run " + std::to_string(result.index) +
              " did not give its cost " + AreaText(result.cost);
  } else if (log->Commit(&message)) {
    return true;
  }
  io.Complain(message);
  return false;
}

// One search from start to summary: owns the log file from Open to Commit
// and the start time every deadline counts from.
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
      std::string line = ProgressLine(Elapsed(), options_.budgetSeconds,
                                      state.runsDone, state.best.cost,
                                      moduleArea_);
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

int Search::Run() {
  start_ = RunPool::Clock::now();
  std::string reason;
  bool wantLog = !options_.logPath.empty();
  if (wantLog && !log_.Open(options_.logPath, {options_.dataPath}, &reason)) {
    io_.Complain(reason);
    return kExitFailure;
  }
  int64_t baseClock =
      options_.haveClock ? options_.clock : io_.clock() & 0xFFFFFFFF;
  RunPlan plan(modules_, options_.budgetSeconds, wantLog, baseClock);
  SearchBudget budget(options_.budgetSeconds, wantLog,
                      RunTimeModel(plan.numModules()));
  uint32_t jobs = options_.jobs != 0
                      ? options_.jobs
                      : std::max(1u, std::thread::hardware_concurrency());
  ArmStopSignals();
  RunPool pool(modules_, plan, &budget, options_.runs, start_, io_.err);
  // A signal that came before the search leaves nothing to start.
  if (io_.StopSignal() == 0) pool.Start(jobs);
  Watch(&pool);
  double seconds = Elapsed();
  int signal = io_.StopSignal();

  SearchState state = pool.State();
  if (state.runsDone == 0) {
    io_.Complain(options_.dataPath + ": no run finished" +
                 (signal != 0 ? " before the signal" : " within the budget"));
    return signal != 0 ? ExitStatusForSignal(signal) : kExitFailure;
  }
  PlannedRun winner = plan.Run(state.best.index);
  bool logWritten =
      !wantLog || WriteWinnerLog(modules_, winner, state.best, options_.logPath,
                                 &log_, io_);
  SummaryFacts facts;
  facts.dataPath = AbsolutePath(options_.dataPath);
  facts.numModules = static_cast<uint32_t>(modules_.size());
  facts.moduleArea = moduleArea_;
  facts.cost = state.best.cost;
  facts.runsDone = state.runsDone;
  facts.clock = winner.clock;
  facts.parameters = winner.parameters;
  facts.replayCommand =
      ReplayCommand(ProgramForReplay(io_, argv0_), winner.clock,
                    winner.parameters, facts.dataPath);
  facts.runIndex = state.best.index;
  facts.moves = state.best.moves;
  facts.seconds = seconds;
  facts.interrupted = signal != 0;
  if (!io_.WriteAll(SummaryText(facts)) || !logWritten) return kExitFailure;
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
  std::vector<DataModule> modules;
  if (!ReadModules(options.dataPath, options.replay, &modules, io)) {
    return kExitFailure;
  }
  if (options.replay) return Replay(options, modules, io);
  Search search(options, modules, io, argc > 0 ? argv[0] : nullptr);
  return search.Run();
}
