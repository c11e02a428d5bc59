#include "search/winner_log.h"

#include <cstring>

#include "anneal/clock_second_run.h"
#include "anneal/move_log.h"

namespace {

std::string Stopped(const std::string& logPath) {
  return logPath + ": the log was not written: stopped by the signal";
}

}  // namespace

LogOutcome WriteWinnerLog(const std::vector<DataModule>& modules,
                          const WinnerForLog& winner,
                          const std::string& logPath, OutputFile* log,
                          const ProgramIO& io) {
  const std::atomic<int>* stop = winner.stop;
  std::string message;
  bool stopped = false;
  if (!log->OpenPending(stop, &stopped, &message)) {
    io.Complain(stopped ? Stopped(logPath) : message);
    return stopped ? LogOutcome::kStopped : LogOutcome::kFailed;
  }
  if (winner.record != nullptr && winner.record->complete()) {
    std::unique_ptr<MoveLog> writer = MakeBufferedLog(log->stream());
    std::string reason;
    MoveRecord::Written written =
        winner.record->WriteLog(writer.get(), stop, &reason);
    if (written == MoveRecord::Written::kStopped) {
      io.Complain(Stopped(logPath));
      return LogOutcome::kStopped;
    }
    if (written == MoveRecord::Written::kFailed) {
      io.Complain(writer->error() != 0 ? LostWrite(logPath, reason)
                                       : logPath + ": " + reason);
      return LogOutcome::kFailed;
    }
  } else {
    RunOptions run;
    run.out = log->stream();
    run.err = io.err;
    run.cost = winner.shapeCost;
    run.stop = stop;
    AnnealingOutcome outcome =
        RunAtClockSecond(modules, winner.run.parameters, winner.run.clock, run);
    if (outcome.status == AnnealingStatus::kInterrupted) {
      io.Complain(Stopped(logPath));
      return LogOutcome::kStopped;
    }
    if (outcome.status == AnnealingStatus::kOutputFailed) {
      io.Complain(LostWrite(logPath, strerror(outcome.outputError)));
      return LogOutcome::kFailed;
    }
    if (outcome.status != AnnealingStatus::kRan ||
        outcome.bestCost != winner.cost) {
      io.Complain(logPath + ": the replay of run " +
                  std::to_string(winner.index) + " did not give its cost " +
                  AreaText(winner.cost));
      return LogOutcome::kFailed;
    }
  }
  if (stop != nullptr && stop->load() != 0) {
    io.Complain(Stopped(logPath));
    return LogOutcome::kStopped;
  }
  if (!log->Commit(&message)) {
    io.Complain(message);
    return LogOutcome::kFailed;
  }
  return LogOutcome::kWritten;
}
