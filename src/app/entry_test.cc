#include "app/entry.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "app/captured_run.h"

namespace {

TEST(EntryTest, WrongArgumentCountPrintsUsage) {
  for (size_t count : {0u, 8u, 9u}) {
    std::vector<std::string> arguments(count, "x");
    CapturedRun run = RunCaptured(arguments);
    EXPECT_EQ(-1, run.status);
    EXPECT_EQ(kUsageText, run.out);
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

}  // namespace
