#include "app/entry.h"

#include <cfloat>
#include <cmath>

#include "io/loader.h"
#include "io/number_text.h"
#include "random/random.h"

namespace {

constexpr const char* kUsage =
    "Usage:\nfloorplan <infile> [lambda] [T0] [Tf] [prob M1] [prob M2] [prob "
    "M3]\n"
    "<infile>  - name of file containing floorplan data\n"
    "<lambda>  - cooling parameter (0<lambda<1) = 0.85\n"
    "[T0]      - initial temperature = 2^(N+6), N=# modules\n"
    "[Tf]\t  - final temperature = 10.0\n"
    "[prob M1] - incidence of M1 moves = 1\n"
    "[prob M2] - incidence of M2 moves = 1\n"
    "[prob M3] - incidence of M3 moves = 1\n";

}  // namespace

double DefaultInitialTemperature(uint32_t modules) {
  double T0 = std::pow(2.0, static_cast<double>(modules) + 6.0);
  return std::isfinite(T0) ? T0 : DBL_MAX;
}

int RunFloorplan(int argc, const char* const* argv, const RunContext& context) {
  int arguments = argc - 1;
  if (arguments < 1 || arguments > 7) {
    fputs(kUsage, context.out);
    return -1;
  }
  SeedRandom(static_cast<uint64_t>(context.clock()));
  std::unique_ptr<Floorplan> floorplan = LoadFloorplan(argv[1]);
  if (!floorplan) {
    fprintf(context.err, "Unable to open file: %s\n", argv[1]);
    return -1;
  }

  double lambda = 0.85;
  double T0 = DefaultInitialTemperature(floorplan->GetNumModules());
  double Tf = 10.0;
  uint32_t weights[3] = {1, 1, 1};
  if (arguments >= 2) lambda = ParseDecimal(argv[2]);
  if (arguments >= 3) T0 = ParseDecimal(argv[3]);
  if (arguments >= 4) Tf = ParseDecimal(argv[4]);
  for (int i = 0; i < 3 && arguments >= 5 + i; ++i) {
    weights[i] = ParseLeadingInteger(argv[5 + i]);
  }

  bool ran = SimulatedAnnealing(std::move(floorplan), lambda, T0, Tf,
                                weights[0], weights[1], weights[2], context);
  return ran ? 0 : -1;
}
