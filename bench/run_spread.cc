// How widely single runs of a search's plan spread: runs the long runs that
// floorplan-search plans for a data file and a budget, each started in its
// own clock second, logless and a few at a time, and prints the dead space
// of every run and then the spread. The long runs of a search are its
// likely winners, so the share of them at or below a target says how often
// a whole search reaches it.
//
//   floorplan_spread FILE BUDGET FIRST_CLOCK COUNT [JOBS] [TARGET]
//
// Run i is the plan's long run (both weight settings in turn) started in
// clock second FIRST_CLOCK + i: exactly what `floorplan-search --replay`
// prints for it.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "anneal/clock_second_run.h"
#include "io/data_file.h"
#include "model/area.h"
#include "search/run_plan.h"

int main(int argc, char** argv) {
  if (argc < 5 || argc > 7) {
    fprintf(stderr,
            "usage: floorplan_spread FILE BUDGET FIRST_CLOCK COUNT [JOBS] "
            "[TARGET]\n");
    return 2;
  }
  std::vector<DataModule> modules;
  std::string error;
  if (!ReadDataFile(argv[1], &modules, &error) || modules.size() < 2) {
    fprintf(stderr, "floorplan_spread: %s\n",
            error.empty() ? "fewer than two modules" : error.c_str());
    return 1;
  }
  double budget = atof(argv[2]);
  int64_t first = atoll(argv[3]);
  int count = atoi(argv[4]);
  int jobs = argc > 5 ? std::max(1, atoi(argv[5])) : 2;
  double target = argc > 6 ? atof(argv[6]) : 0;
  RunPlan plan(modules, budget, 2, 0, false);
  Area moduleArea = TotalModuleArea(modules);

  std::vector<double> dead(static_cast<size_t>(std::max(0, count)));
  std::atomic<int> next{0};
  std::mutex printing;
  auto work = [&] {
    for (int i; (i = next.fetch_add(1)) < count;) {
      // The first two long runs, one of each weight setting.
      PlannedRun run =
          plan.Run(plan.firstLongRun() + static_cast<uint64_t>(i % 2));
      int64_t clock = (first + i) & 0xFFFFFFFF;
      RunOptions options;
      options.out = nullptr;
      options.logging = Logging::kOff;
      AnnealingOutcome outcome =
          RunAtClockSecond(modules, run.parameters, clock, options);
      dead[static_cast<size_t>(i)] =
          DeadSpacePercent(outcome.bestCost, moduleArea);
      const AnnealingParameters& p = run.parameters;
      std::lock_guard<std::mutex> lock(printing);
      printf("%lld %s %s %s %u %u %u %.3f\n", static_cast<long long>(clock),
             ParameterText(p.lambda).c_str(), ParameterText(p.T0).c_str(),
             ParameterText(p.Tf).c_str(), p.probM1, p.probM2, p.probM3,
             dead[static_cast<size_t>(i)]);
      fflush(stdout);
    }
  };
  std::vector<std::thread> threads;
  for (int j = 0; j < jobs; ++j) threads.emplace_back(work);
  for (std::thread& thread : threads) thread.join();

  if (count <= 0) return 0;
  std::sort(dead.begin(), dead.end());
  double sum = 0;
  for (double d : dead) sum += d;
  auto at = [&](double q) {
    return dead[static_cast<size_t>(q * static_cast<double>(count - 1) + 0.5)];
  };
  printf("runs %d  mean %.2f  least %.2f  quartiles %.2f %.2f %.2f  most %.2f",
         count, sum / count, dead.front(), at(0.25), at(0.5), at(0.75),
         dead.back());
  if (target > 0) {
    long hits = std::count_if(dead.begin(), dead.end(),
                              [target](double d) { return d <= target; });
    printf("  at or below %.2f: %ld", target, hits);
  }
  printf("\n");
  return 0;
}
