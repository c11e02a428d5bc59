#include "search/run_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "anneal/clock_second_run.h"
#include "search/search_report.h"
#include "testing/captured_run.h"
#include "testing/parsed_log.h"

namespace {

SearchState RunAll(const std::vector<DataModule>& modules, const RunPlan& plan,
                   uint64_t runs, uint32_t jobs) {
  SearchBudget budget(1, LogWork::kNone, RunTimeModel(0.0, 1e-6));
  PoolSettings settings;
  settings.runLimit = runs;
  RunPool pool(modules, plan, &budget, settings, RunPool::Clock::now(), stderr);
  pool.Start(jobs);
  while (!pool.WaitFor(std::chrono::seconds(1))) {
  }
  pool.Stop();
  return pool.State();
}

// Each run is what floorplan prints when given the run's parameter texts in
// the run's clock second, and the winner is the least final cost, the lowest
// index among equals, whatever the number of threads.
TEST(RunPoolTest, WinnerIsTheBestFloorplanRunWhateverTheThreads) {
  struct Case {
    std::string path;
    double budget;
    uint64_t runs;
  };
  const Case cases[] = {
      {"examples/apte.txt", 0.02, 6},
      {"examples/hp.txt", 0.02, 5},
      {"examples/ami33.txt", 0.01, 4},
  };
  for (const Case& c : cases) {
    std::string path = SourcePath(c.path);
    std::vector<DataModule> modules = ReadModules(path);
    RunPlan plan(modules, c.budget, 2, 1767225600, false);

    uint64_t bestIndex = 0;
    Area bestCost = kLargestArea;
    for (uint64_t i = 0; i < c.runs; ++i) {
      PlannedRun run = plan.Run(i);
      std::vector<std::string> arguments{path};
      std::string texts = ParametersText(run.parameters);
      for (size_t at = 0; at != std::string::npos;) {
        size_t space = texts.find(' ', at);
        arguments.push_back(texts.substr(at, space - at));
        at = space == std::string::npos ? space : space + 1;
      }
      CapturedRun captured = RunCaptured(arguments, run.clock);
      ASSERT_EQ(0, captured.status) << captured.err;
      Area cost = ParseLog(captured.out).finalCost;
      if (cost < bestCost) {
        bestCost = cost;
        bestIndex = i;
      }
    }
    for (uint32_t jobs : {1u, 2u, 3u}) {
      SearchState state = RunAll(modules, plan, c.runs, jobs);
      EXPECT_EQ(c.runs, state.runsDone) << c.path << " jobs " << jobs;
      EXPECT_EQ(bestIndex, state.best.index) << c.path << " jobs " << jobs;
      EXPECT_EQ(AreaText(bestCost), AreaText(state.best.cost));
    }
  }
}

// Many tiny runs of apte tie at its best cost, so the lowest index of those
// must win however the threads interleave.
TEST(RunPoolTest, TiesGoToTheLowestIndex) {
  std::vector<DataModule> modules = ReadModules(SourcePath("examples/apte.txt"));
  RunPlan plan(modules, 0.005, 2, 100, false);
  constexpr uint64_t kRuns = 40;
  std::vector<Area> costs;
  for (uint64_t i = 0; i < kRuns; ++i) {
    PlannedRun run = plan.Run(i);
    RunOptions options;
    options.logging = Logging::kOff;
    costs.push_back(
        RunAtClockSecond(modules, run.parameters, run.clock, options).bestCost);
  }
  Area least = *std::min_element(costs.begin(), costs.end());
  uint64_t first = static_cast<uint64_t>(
      std::find(costs.begin(), costs.end(), least) - costs.begin());
  ASSERT_GE(std::count(costs.begin(), costs.end(), least), 2);
  for (uint32_t jobs : {1u, 2u, 4u}) {
    SearchState state = RunAll(modules, plan, kRuns, jobs);
    EXPECT_EQ(kRuns, state.runsDone);
    EXPECT_EQ(first, state.best.index) << "jobs " << jobs;
    EXPECT_EQ(AreaText(least), AreaText(state.best.cost));
  }
}

// Stopping throws the runs in progress away and ends every worker.
TEST(RunPoolTest, StopEndsTheWorkersWithoutCountingCutRuns) {
  std::vector<DataModule> modules = ReadModules(SourcePath("examples/n200.txt"));
  RunPlan plan(modules, 1000, 2, 100, false);  // runs of many minutes
  SearchBudget budget(1000, LogWork::kNone, RunTimeModel(0.0, 1e-6));
  RunPool pool(modules, plan, &budget, PoolSettings(), RunPool::Clock::now(),
               stderr);
  pool.Start(2);
  // Gives the runs a moment to get under way; none can end in it.
  pool.WaitFor(std::chrono::milliseconds(100));
  EXPECT_EQ(0u, pool.State().runsDone);
  pool.Stop();
  EXPECT_TRUE(pool.WaitFor(std::chrono::milliseconds(0)));
  SearchState state = pool.State();
  EXPECT_EQ(0u, state.runsDone);
}

}  // namespace
