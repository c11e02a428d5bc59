#include "floorplan/entry.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "anneal/parameters.h"
#include "testing/captured_run.h"

namespace {

TEST(EntryTest, WrongArgumentCountPrintsUsage) {
  for (size_t count : {0u, 8u, 9u}) {
    std::vector<std::string> arguments(count, "x");
    CapturedRun run = RunCaptured(arguments);
    EXPECT_EQ(-1, run.status);
    EXPECT_EQ(ReadFile(SourcePath("testdata/usage.txt")), run.out);
    EXPECT_EQ("", run.err);
  }
}

TEST(EntryTest, UnreadableDataFileIsReported) {
  std::string incomplete = WriteTempFile("incomplete.txt", "1 4 6\n2 3\n");
  for (const std::string& path : {std::string("/nonexistent/data.txt"),
                                  incomplete, SourcePath("examples")}) {
    CapturedRun run = RunCaptured({path, "0.5"});
    EXPECT_EQ(-1, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Unable to open file: " + path + "\n", run.err);
  }
}

TEST(EntryTest, DefaultInitialTemperature) {
  EXPECT_EQ(512.0, DefaultParameters(3).T0);
  EXPECT_EQ(512.0, DefaultInitialTemperature(3));
  EXPECT_EQ(std::ldexp(1.0, 1023), DefaultInitialTemperature(1017));
  // From 1018 modules on 2^(N+6) overflows; the largest finite double runs.
  EXPECT_EQ(DBL_MAX, DefaultInitialTemperature(1018));
  EXPECT_EQ(DBL_MAX, DefaultInitialTemperature(4000000000u));
}

// The parameters reach the annealer converted: the first temperature of the
// verbose log shows T0, the second shows T0 x lambda.
TEST(EntryTest, ParametersAndDefaults) {
  std::string path = WriteTempFile("params.txt", "1 4 6\n2 3 3\n3 2 5\n");
  struct Case {
    std::vector<std::string> parameters;
    const char* firstTemperature;
    const char* secondTemperature;
  };
  const Case cases[] = {
      {{}, "512.000000 ", "435.200000 "},
      {{"0.5"}, "512.000000 ", "256.000000 "},
      {{"0.5", "1d2"}, "100.000000 ", "50.000000 "},
      {{"5e-1", " 1E2xyz"}, "100.000000 ", "50.000000 "},
      {{".5", "100", "1", "2", "0", "0"}, "100.000000 ", "50.000000 "},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{path};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.err);
    size_t first = run.out.find(c.firstTemperature);
    EXPECT_NE(std::string::npos, first);
    EXPECT_NE(std::string::npos, run.out.find(c.secondTemperature, first));
  }
  // Tf: with T0 100 and lambda 0.5, a Tf of 30 runs at 100 and at 50, and
  // stops when lowering gives 25.
  CapturedRun run = RunCaptured({path, "0.5", "100", "30"});
  EXPECT_NE(std::string::npos, run.out.find("50.000000 "));
  EXPECT_EQ(std::string::npos, run.out.find("25.000000 "));
}

// Every run owns its random source: runs in parallel threads, started in the
// same clock second or in others, print exactly what each prints alone,
// however their moves interleave.
TEST(EntryTest, RunsInParallelThreadsPrintWhatEachPrintsAlone) {
  struct Job {
    std::vector<std::string> arguments;
    int64_t clock;
  };
  const std::string apte = SourcePath("examples/apte.txt");
  const std::string three = SourcePath("testdata/golden/three.txt");
  const std::vector<Job> jobs = {
      {{apte, "0.9", "1000", "10"}, kGoldenClock},
      {{apte, "0.9", "1000", "10"}, kGoldenClock},
      {{apte, "0.9", "1000", "10"}, kGoldenClock + 1},
      {{three}, kGoldenClock},
      {{three, "0.5", "100", "1", "3", "1", "2"}, kGoldenClock + 7},
      {{apte}, kGoldenClock + 2},
  };
  std::vector<std::string> alone;
  for (const Job& job : jobs) {
    alone.push_back(RunCaptured(job.arguments, job.clock).out);
  }
  EXPECT_NE(alone[0], alone[2]);  // another second, another run

  const int kRounds = 3;
  std::vector<std::string> together(jobs.size() * kRounds);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < together.size(); ++t) {
    threads.emplace_back([&, t] {
      const Job& job = jobs[t % jobs.size()];
      together[t] = RunCaptured(job.arguments, job.clock).out;
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (size_t t = 0; t < together.size(); ++t) {
    EXPECT_EQ(alone[t % jobs.size()], together[t]) << "run " << t;
  }
}

}  // namespace
