// Whole runs against the expected outputs under testdata/golden, made at a
// fixed clock: every byte of standard output, nothing on standard error and
// exit status 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

struct GoldenCase {
  const char* data;
  std::vector<std::string> parameters;
  const char* expected;
};

TEST(GoldenTest, WholeRunsMatchExpectedOutput) {
  const GoldenCase cases[] = {
      {"three", {}, "three__default"},
      {"three", {"0.9", "1000", "10"}, "three__0.9_1000_10"},
      {"three", {"0.5", "100", "1", "3", "1", "2"}, "three__0.5_100_1_3_1_2"},
      {"rand20", {}, "rand20__default"},
      {"rand20", {"0.9", "1000", "10"}, "rand20__0.9_1000_10"},
      {"rand20", {"0.5", "100", "1", "3", "1", "2"}, "rand20__0.5_100_1_3_1_2"},
      {"apte", {}, "apte__default"},
      {"apte", {"0.9", "1000", "10"}, "apte__0.9_1000_10"},
      {"apte", {"0.5", "100", "1", "3", "1", "2"}, "apte__0.5_100_1_3_1_2"},
      {"ami33", {}, "ami33__default"},
      {"ami33", {"0.9", "1000", "10"}, "ami33__0.9_1000_10"},
      {"ami33", {"0.5", "100", "1", "3", "1", "2"}, "ami33__0.5_100_1_3_1_2"},
  };
  for (const GoldenCase& golden : cases) {
    SCOPED_TRACE(golden.expected);
    std::vector<std::string> arguments{
        SourcePath(std::string("testdata/golden/") + golden.data + ".txt")};
    arguments.insert(arguments.end(), golden.parameters.begin(),
                     golden.parameters.end());
    std::string expected = ReadFile(
        SourcePath(std::string("testdata/golden/") + golden.expected + ".out"));
    ASSERT_FALSE(expected.empty());
    for (HotPath path : {HotPath::kFast, HotPath::kPlain}) {
      CapturedRun run = RunCaptured(arguments, kGoldenClock, path);
      EXPECT_EQ(0, run.status);
      EXPECT_EQ("", run.err);
      EXPECT_EQ(expected, run.out);
    }
  }
}

}  // namespace
