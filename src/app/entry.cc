#include "app/entry.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "app/exit_status.h"
#include "app/stop_signals.h"
#include "io/loader.h"
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
int OutputFailed(const RunContext& context, int error) {
  fprintf(context.err, "floorplan: cannot write to standard output: %s\n",
          strerror(error));
  return kExitFloorplanFailure;
}

}  // namespace

int RunFloorplan(int argc, const char* const* argv, const RunContext& context) {
  int arguments = argc - 1;
  if (arguments < 1 || arguments > 7) {
    fputs(kUsageText, context.out);
    if (fflush(context.out) != 0) return OutputFailed(context, errno);
    return kExitFloorplanFailure;
  }
  RandomSource random(static_cast<uint64_t>(context.clock()));
  std::string reason;
  std::unique_ptr<Floorplan> floorplan =
      LoadFloorplan(argv[1], &random, &reason);
  if (!floorplan) {
    fprintf(context.err, "Unable to open file: %s\n", argv[1]);
    return kExitFloorplanFailure;
  }
  AnnealingParameters parameters = DefaultParameters(floorplan->numModules);
  ApplyArguments(argv + 2, arguments - 1, &parameters);

  ArmStopSignals();  // from here a signal stops the run cleanly
  AnnealingOutcome outcome =
      SimulatedAnnealing(parameters, std::move(floorplan), &random, context);
  switch (outcome.status) {
    case AnnealingStatus::kRefused:
      return kExitFloorplanFailure;
    case AnnealingStatus::kOutputFailed:
      return OutputFailed(context, outcome.outputError);
    case AnnealingStatus::kRan:
    case AnnealingStatus::kInterrupted:
      break;
  }
  if (fflush(context.out) != 0) return OutputFailed(context, errno);
  return kExitSuccess;
}

AnnealingOutcome RunOnModules(const std::vector<DataModule>& modules,
                              const AnnealingParameters& parameters,
                              int64_t firstSeed, const RunContext& context) {
  RandomSource random(static_cast<uint64_t>(firstSeed));
  return SimulatedAnnealing(parameters, BuildFloorplan(modules, &random),
                            &random, context);
}
