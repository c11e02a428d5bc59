#include "search/run_plan.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "io/number_text.h"
#include "testing/captured_run.h"
#include "testing/parsed_log.h"

namespace {

std::vector<DataModule> RandomModules(uint32_t count, int lo, int hi,
                                      uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> side(lo, hi);
  std::vector<DataModule> modules;
  for (uint32_t i = 1; i <= count; ++i) {
    DataModule m;
    m.identifier = static_cast<int32_t>(i);
    m.width = static_cast<uint16_t>(side(random));
    m.height = static_cast<uint16_t>(side(random));
    modules.push_back(m);
  }
  return modules;
}

std::vector<DataModule> Read(const std::string& relative) {
  return ReadModules(SourcePath(relative));
}

// Every run of the plan is one floorplan accepts, written in texts that
// floorplan reads back to the same values, in its own clock second.
TEST(RunPlanTest, RunsAreValidExactAndInTheirOwnSeconds) {
  struct Case {
    std::vector<DataModule> modules;
    double budget;
    uint32_t cores;
    bool log;
    int64_t base;
  };
  const Case cases[] = {
      {Read("examples/apte.txt"), 60, 2, true, 1767225600},
      {Read("examples/ami33.txt"), 10, 1, true, 0},
      {Read("examples/n100.txt"), 0.01, 8, false, 4294967290},
      {RandomModules(300, 12, 48, 1), 3600, 64, true, 12345},
      {RandomModules(2, 0, 0, 2), 60, 2, false, 7},  // empty modules
      {RandomModules(40, 60000, 65535, 3), 1e6, 3, false, 99},
  };
  for (const Case& c : cases) {
    RunPlan plan(c.modules, c.budget, c.cores, c.base, c.log);
    int shortest = 0;
    for (uint64_t i = 0;
         i < plan.firstLongRun() + plan.longRuns() + 10 * c.cores; ++i) {
      PlannedRun run = plan.Run(i);
      const AnnealingParameters& p = run.parameters;
      EXPECT_TRUE(ParameterRefusals(p, true).empty());
      EXPECT_GT(p.lambda, 0);
      EXPECT_LT(p.lambda, 1);
      EXPECT_GT(p.T0, p.Tf);
      EXPECT_GT(p.Tf, 0);
      for (double value : {p.lambda, p.T0, p.Tf}) {
        EXPECT_EQ(value, ParseDecimal(ParameterText(value)));
      }
      EXPECT_EQ((c.base + static_cast<int64_t>(i)) % 4294967296, run.clock);
      EXPECT_GE(run.expectedMoves, MovesPerTemperature(plan.numModules()));
      shortest += run.shortest;
    }
    // The skipping of runs that cannot end in time stops at a shortest one.
    EXPECT_GT(shortest, 0);
  }
}

// On a machine of the model's speed, each core's probe and its long runs
// fill most of the budget without passing it, whatever the cores, no run
// goes beyond the temperatures that still pay (and a core's long runs are
// no more split than that needs), and nothing after the long runs is longer
// while the runs after them grow ever shorter.
TEST(RunPlanTest, LongRunsFillEachCoresBudget) {
  struct Case {
    const char* file;
    double budget;
    uint32_t cores;
  };
  const Case cases[] = {
      {"examples/apte.txt", 60, 2},  {"examples/ami33.txt", 60, 1},
      {"examples/ami33.txt", 10, 2}, {"examples/n100.txt", 60, 8},
      {"examples/n200.txt", 60, 2},  {"examples/n100.txt", 600, 3},
      {"examples/hp.txt", 1, 2},     {"bench/data/rand300.txt", 3600, 2},
  };
  for (const Case& c : cases) {
    std::vector<DataModule> modules = Read(c.file);
    RunPlan plan(modules, c.budget, c.cores, 0, false);
    uint32_t n = plan.numModules();
    uint64_t k = plan.longRunsPerCore();
    uint64_t first = plan.firstLongRun();
    EXPECT_EQ(c.cores, first);
    EXPECT_EQ(c.cores * k, plan.longRuns());
    RunTimeModel model(n);
    double core = (c.budget - model.perRunSeconds) / model.perMoveSeconds;
    double used = 0;
    for (uint64_t i = 0; i < first; ++i) {
      used = std::max(used, static_cast<double>(plan.Run(i).expectedMoves));
    }
    uint64_t longest = 0;
    for (uint64_t i = first; i < first + plan.longRuns(); ++i) {
      EXPECT_TRUE(plan.IsLongRun(i));
      longest = std::max(longest, plan.Run(i).expectedMoves);
    }
    EXPECT_FALSE(plan.IsLongRun(first + plan.longRuns()));
    used += static_cast<double>(k * longest);
    if (k > 1) {
      double fewer =
          static_cast<double>(k * longest) / static_cast<double>(k - 1);
      EXPECT_GT(fewer / static_cast<double>(MovesPerTemperature(n)), 240000)
          << c.file << " " << c.budget;
    }
    EXPECT_LE(used, 0.95 * core) << c.file << " " << c.budget;
    EXPECT_GE(used, 0.80 * core) << c.file << " " << c.budget;
    uint64_t previous = longest;
    for (uint64_t i = 0; i < first + plan.longRuns() + 20 * c.cores; ++i) {
      PlannedRun run = plan.Run(i);
      EXPECT_LE(run.expectedMoves / MovesPerTemperature(n), 240001u);
      if (i >= first + plan.longRuns()) {
        EXPECT_LE(run.expectedMoves, previous);
        previous = run.expectedMoves;
      }
    }
  }
}

// Files below 100 modules anneal in a cooler, narrower range, which lies
// inside the range of larger files of the same average module area.
TEST(RunPlanTest, SmallFilesAnnealInACoolerRange) {
  for (int sides : {20, 300, 60000}) {
    RunPlan small(RandomModules(99, sides, sides, 1), 60, 2, 0, false);
    RunPlan large(RandomModules(100, sides, sides, 1), 60, 2, 0, false);
    ASSERT_EQ(small.averageModuleArea(), large.averageModuleArea());
    for (uint64_t i = 0; i < 6; ++i) {
      AnnealingParameters cool = small.Run(i).parameters;
      AnnealingParameters wide = large.Run(i).parameters;
      EXPECT_LT(cool.T0, wide.T0 / 10) << sides;
      EXPECT_GT(cool.Tf, wide.Tf) << sides;
      EXPECT_GT(cool.T0, cool.Tf) << sides;
    }
  }
}

// The annealer lowers T by lambda after each temperature and stops below
// Tf: counting those steps from the chosen factor must give about the moves
// asked for.
TEST(RunPlanTest, CoolingFactorGivesTheMovesAskedFor) {
  struct Case {
    double T0, Tf;
    uint64_t moves;
    uint32_t modules;
  };
  const Case cases[] = {
      {1000, 1, 1000000, 100}, {5e4, 0.5, 40000000, 200},
      {30, 0.1, 2000000, 33},  {1e9, 1e-3, 123456789, 300},
      {100, 1, 500000, 9},
  };
  for (const Case& c : cases) {
    double lambda = CoolingFactorFor(c.T0, c.Tf, c.moves, c.modules);
    ASSERT_GT(lambda, 0);
    ASSERT_LT(lambda, 1);
    uint64_t temperatures = 0;
    for (double T = c.T0; T >= c.Tf; T *= lambda) ++temperatures;
    double moves = static_cast<double>(temperatures) *
                   static_cast<double>(MovesPerTemperature(c.modules));
    EXPECT_NEAR(1.0, moves / static_cast<double>(c.moves), 0.01)
        << c.T0 << " " << c.Tf << " " << c.moves;
  }
  // Fewer moves than one temperature makes still cool, at the fastest rate.
  EXPECT_EQ(0.5, CoolingFactorFor(100, 1, 1, 100));
}

// A temperature at which only equal costs are accepted uphill makes the most
// moves a temperature can: counted in a real run's verbose log, which shows
// each move's temperature.
TEST(RunPlanTest, MovesPerTemperatureIsWhatTheAnnealerMakes) {
  for (uint32_t count : {3u, 9u, 14u, 15u, 19u}) {
    std::string text;
    std::vector<DataModule> modules = RandomModules(count, 100, 900, count);
    for (const DataModule& m : modules) {
      text += std::to_string(m.identifier) + " " + std::to_string(m.width) +
              " " + std::to_string(m.height) + "\n";
    }
    std::string path =
        WriteTempFile("temperature" + std::to_string(count) + ".txt", text);
    // T0 = 1 with areas in the tens of thousands accepts no uphill move; the
    // second temperature, 0.5, lies below Tf and ends the run.
    CapturedRun run = RunCaptured({path, "0.5", "1", "0.6", "1", "1", "1"});
    ASSERT_EQ(0, run.status) << run.err;
    Log log = ParseLog(run.out);
    EXPECT_EQ(MovesPerTemperature(count), log.moves.size()) << count;
    for (const Move& move : log.moves) EXPECT_EQ("1.000000", move.temperature);
  }
}

TEST(RunPlanTest, ParameterTextIsShortestAndExact) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.5, "0.5"},
      {0.1, "0.1"},
      {1.0 - 1.234e-5, "0.99998766"},
      {1.0 / 3, "0.3333333333333333"},
      {1e-300, "1e-300"},
      {5e-324, "5e-324"},
      {DBL_MAX, "1.7976931348623157e+308"},
      {155200, "155200"},
      {60, "60"},
  };
  for (const Case& c : cases) {
    std::string text = ParameterText(c.value);
    EXPECT_EQ(c.value, ParseDecimal(text)) << text;
    EXPECT_EQ(c.text, text);
  }
  std::mt19937_64 random(5);
  for (int i = 0; i < 2000; ++i) {
    double value =
        std::ldexp(std::uniform_real_distribution<double>(0.5, 1)(random),
                   std::uniform_int_distribution<int>(-1000, 1000)(random));
    std::string text = ParameterText(value);
    ASSERT_EQ(value, ParseDecimal(text)) << text;
  }
}

}  // namespace
