// The winner's log, written after the search and its summary: from the
// winner's record of moves (move_record.h), or by running the winner again
// where there is no record (below 20 modules every line carries the
// expression, which a record does not keep, and a replay is cheap). Either
// way the bytes are those `floorplan` prints for that run.
//
// A stop signal that comes while the log is written ends the writing: the
// new log is not kept (a file that was at the path stays as it was). One
// that came before, during the search, does not: the search said it would
// write what it has.
#ifndef FLOORPLAN_SEARCH_WINNER_LOG_H_
#define FLOORPLAN_SEARCH_WINNER_LOG_H_

#include <string>
#include <vector>

#include "anneal/move_record.h"
#include "cli/program_io.h"
#include "io/data_file.h"
#include "io/output_file.h"
#include "model/shape_cost.h"
#include "search/run_plan.h"

// The winning run, as the log needs it.
struct WinnerForLog {
  PlannedRun run;
  uint64_t index = 0;
  Area cost = 0;
  ShapeCost shapeCost;
  const MoveRecord* record = nullptr;  // null or incomplete: replayed
  // What stops the log: the search's stop flag when no signal came during
  // the search, else null.
  const std::atomic<int>* stop = nullptr;
};

enum class LogOutcome { kWritten, kStopped, kFailed };

// Writes the log to `log`, opened on `logPath` (a device or FIFO it opens
// only now) and commits it. Says what went wrong on io.err.
LogOutcome WriteWinnerLog(const std::vector<DataModule>& modules,
                          const WinnerForLog& winner,
                          const std::string& logPath, OutputFile* log,
                          const ProgramIO& io);

#endif  // FLOORPLAN_SEARCH_WINNER_LOG_H_
