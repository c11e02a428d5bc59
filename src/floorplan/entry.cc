#include "floorplan/entry.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "anneal/parameters.h"
#include "cli/exit_status.h"
#include "cli/stop_signals.h"
#include "io/loader.h"
#include "io/output_file.h"
#include "random/random.h"

const char* const kUsageText =
    "Usage:\nfloorplan <infile> [lambda] [T0] [Tf] [prob M1] [prob M2] [prob "
    "M3]\n"
    "<infile>  - name of file containing floorplan data\n"
    "<lambda>  - cooling parameter (0<lambda<1) = 0.85\n"
    "[T0]      - initial temperature = 2^(N+6), N=# modules\n"
    "[Tf]\t  - final temperature = 10.0\n"
    "[prob M1] - incidence of M1 moves = 1\n"
    "[prob M2] - incidence of M2 moves = 1\n"
    "[prob M3] - incidence of M3 moves = 1\n";

namespace {

// A run whose output was lost did not succeed.
int OutputFailed(const ProgramIO& io, int error) {
  io.Complain(LostWrite("standard output", strerror(error)));
  return kExitFloorplanFailure;
}

}  // namespace

int RunFloorplan(int argc, const char* const* argv, const ProgramIO& io,
                 HotPath hotPath) {
  int arguments = argc - 1;
  if (arguments < 1 || arguments > 7) {
    fputs(kUsageText, io.out);
    if (fflush(io.out) != 0) return OutputFailed(io, errno);
    return kExitFloorplanFailure;
  }
  RandomSource random(static_cast<uint64_t>(io.clock()));
  std::string reason;
  std::unique_ptr<Floorplan> floorplan =
      LoadFloorplan(argv[1], &random, &reason);
  if (!floorplan) {
    fprintf(io.err, "Unable to open file: %s\n", argv[1]);
    return kExitFloorplanFailure;
  }
  AnnealingParameters parameters = DefaultParameters(floorplan->numModules);
  ApplyArguments(argv + 2, arguments - 1, &parameters);

  ArmStopSignals();  // from here a signal stops the run cleanly
  RunOptions options;
  options.out = io.out;
  options.err = io.err;
  options.hotPath = hotPath;
  options.stop = io.stop;
  AnnealingOutcome outcome = SimulatedAnnealing(
      parameters, std::move(floorplan), &random, io.clock, options);
  switch (outcome.status) {
    case AnnealingStatus::kRefused:
      return kExitFloorplanFailure;
    case AnnealingStatus::kOutputFailed:
      return OutputFailed(io, outcome.outputError);
    case AnnealingStatus::kRan:
    case AnnealingStatus::kInterrupted:
      break;
  }
  if (fflush(io.out) != 0) return OutputFailed(io, errno);
  return kExitSuccess;
}
