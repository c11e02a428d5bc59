// The fast hot path (moves in place with an undo log, incremental areas,
// buffered log) against the plain one (a fresh copy per move, shape lists,
// printf): whole runs must give the same output byte for byte.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "anneal/clock_second_run.h"
#include "io/data_file.h"
#include "testing/captured_run.h"

namespace {

std::string RandomDataFile(uint32_t modules, int maxSide,
                           std::mt19937* random) {
  std::uniform_int_distribution<int> side(1, maxSide);
  std::string text;
  for (uint32_t id = 1; id <= modules; ++id) {
    text += std::to_string(id) + " " + std::to_string(side(*random)) + " " +
            std::to_string(side(*random)) + "\n";
  }
  return text;
}

void ExpectSameOutput(const std::vector<std::string>& arguments,
                      int64_t clock) {
  CapturedRun fast = RunCaptured(arguments, clock, HotPath::kFast);
  CapturedRun plain = RunCaptured(arguments, clock, HotPath::kPlain);
  EXPECT_EQ(0, fast.status);
  EXPECT_EQ(plain.status, fast.status);
  EXPECT_EQ(plain.err, fast.err);
  ASSERT_EQ(plain.out.size(), fast.out.size()) << arguments[0];
  EXPECT_TRUE(plain.out == fast.out) << arguments[0];
}

TEST(HotPathTest, BenchmarkFilesGiveIdenticalOutput) {
  // Short schedules: the plain path is slow, above all under the sanitizers.
  for (const char* name : {"apte", "xerox", "hp", "ami33", "n100"}) {
    ExpectSameOutput({SourcePath(std::string("examples/") + name + ".txt"),
                      "0.5", "1e3", "10"},
                     kGoldenClock + 7);
  }
  ExpectSameOutput(
      {SourcePath("examples/hp.txt"), "0.7", "1e5", "1", "2", "5", "1"}, 99);
}

TEST(HotPathTest, RandomFilesGiveIdenticalOutput) {
  std::mt19937 random(51);
  const uint32_t sizes[] = {20, 33, 64, 120, 300};
  for (size_t i = 0; i < sizeof sizes / sizeof sizes[0]; ++i) {
    // Small sides make many candidates of equal cost; large ones make long
    // staircases.
    int maxSide = i % 2 ? 30 : 5000;
    std::string path =
        WriteTempFile("hotpath" + std::to_string(sizes[i]) + ".txt",
                      RandomDataFile(sizes[i], maxSide, &random));
    // Fewer temperatures for the largest file keep the sanitizer run short.
    const char* T0 = sizes[i] > 200 ? "60" : "300";
    ExpectSameOutput({path, "0.5", T0, "10"}, 1000 + static_cast<int64_t>(i));
  }
  // Uneven weights, and moves of one kind only.
  std::string path =
      WriteTempFile("hotpath-weights.txt", RandomDataFile(40, 100, &random));
  for (const char* weights : {"1 0 0", "0 1 0", "0 0 1", "5 1 9"}) {
    std::vector<std::string> arguments{path, "0.8", "1e4", "10"};
    std::string w = weights;
    for (size_t at = 0; at < w.size(); at += 2)
      arguments.push_back(w.substr(at, 1));
    ExpectSameOutput(arguments, 77);
  }
}

// Against an outline the costs differ from the areas, and both paths must
// still agree on every one of them.
TEST(HotPathTest, OutlineRunsGiveIdenticalOutput) {
  std::vector<DataModule> modules;
  std::string error;
  ASSERT_TRUE(
      ReadDataFile(SourcePath("examples/ami33.txt"), &modules, &error));
  AnnealingParameters parameters;
  parameters.lambda = 0.9;
  parameters.T0 = 1e3;
  parameters.Tf = 10;
  std::string outputs[2];
  for (HotPath path : {HotPath::kFast, HotPath::kPlain}) {
    MemoryStream out;
    RunOptions options;
    options.out = out.file;
    options.hotPath = path;
    options.cost = ShapeCost(Outline{1326, 1205});
    EXPECT_EQ(AnnealingStatus::kRan,
              RunAtClockSecond(modules, parameters, 5, options).status);
    outputs[path == HotPath::kPlain] = out.Close();
  }
  EXPECT_TRUE(outputs[0] == outputs[1]);
  EXPECT_NE(std::string::npos, outputs[0].find("Final solution:"));
}

}  // namespace
