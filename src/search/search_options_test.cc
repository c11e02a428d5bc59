#include "search/search_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

bool Parse(std::vector<std::string> arguments, SearchOptions* options,
           std::string* error) {
  std::vector<const char*> argv = ArgvOf("floorplan-search", arguments);
  CommandLine line;
  return ParseSearchOptions(static_cast<int>(argv.size()), argv.data(), options,
                            &line, error);
}

TEST(SearchOptionsTest, AcceptedCommandLines) {
  struct Case {
    std::vector<std::string> arguments;
    double budget;
    uint32_t jobs;
    std::string log;
    bool quiet;
    bool haveClock;
    int64_t clock;
    uint64_t runs;
    std::string data;
  };
  const Case cases[] = {
      {{"d.txt"}, 60, 0, "", false, false, 0, 0, "d.txt"},
      {{"--time", "2.5", "--jobs", "3", "d.txt"},
       2.5,
       3,
       "",
       false,
       false,
       0,
       0,
       "d.txt"},
      {{"--time=1e1", "--jobs=1", "--log=out.log", "--quiet", "d.txt"},
       10,
       1,
       "out.log",
       true,
       false,
       0,
       0,
       "d.txt"},
      {{"d.txt", "--clock", "4294967295", "--runs", "7", "--log", "-"},
       60,
       0,
       "-",
       false,
       true,
       4294967295,
       7,
       "d.txt"},
      {{"--clock", "0", "--", "--time"},
       60,
       0,
       "",
       false,
       true,
       0,
       0,
       "--time"},
      {{"-"}, 60, 0, "", false, false, 0, 0, "-"},
  };
  for (const Case& c : cases) {
    SearchOptions options;
    std::string error;
    ASSERT_TRUE(Parse(c.arguments, &options, &error)) << error;
    EXPECT_EQ(c.budget, options.budgetSeconds);
    EXPECT_EQ(c.jobs, options.jobs);
    EXPECT_EQ(c.log, options.logPath);
    EXPECT_EQ(c.quiet, options.quiet);
    EXPECT_EQ(c.haveClock, options.haveClock);
    EXPECT_EQ(c.clock, options.clock);
    EXPECT_EQ(c.runs, options.runs);
    EXPECT_EQ(c.data, options.dataPath);
    EXPECT_FALSE(options.replay);
  }
}

TEST(SearchOptionsTest, RefusedCommandLines) {
  struct Case {
    std::vector<std::string> arguments;
    const char* error;
  };
  const Case cases[] = {
      {{}, "no DATAFILE given"},
      {{"a.txt", "b.txt"}, "too many arguments"},
      {{"--frobnicate", "d.txt"}, "unknown option --frobnicate"},
      {{"--time=5", "--bogus=1", "d.txt"}, "unknown option --bogus"},
      {{"d.txt", "--time"}, "--time needs a positive number of seconds"},
      {{"--time", "0", "d.txt"},
       "--time needs a positive number of seconds, not '0'"},
      {{"--time", "-5", "d.txt"},
       "--time needs a positive number of seconds, not '-5'"},
      {{"--time", "abc", "d.txt"},
       "--time needs a positive number of seconds, not 'abc'"},
      {{"--time", "5s", "d.txt"},
       "--time needs a positive number of seconds, not '5s'"},
      {{"--time", "nan", "d.txt"},
       "--time needs a positive number of seconds, not 'nan'"},
      {{"--time", "inf", "d.txt"},
       "--time needs a positive number of seconds, not 'inf'"},
      {{"--time", "1e300", "d.txt"},
       "--time needs a positive number of seconds, not '1e300'"},
      {{"--time", "", "d.txt"},
       "--time needs a positive number of seconds, not ''"},
      {{"--jobs", "0", "d.txt"},
       "--jobs needs a whole number from 1 to 4096, not '0'"},
      {{"--jobs", "-2", "d.txt"},
       "--jobs needs a whole number from 1 to 4096, not '-2'"},
      {{"--jobs", "2.5", "d.txt"},
       "--jobs needs a whole number from 1 to 4096, not '2.5'"},
      {{"--jobs", "x", "d.txt"},
       "--jobs needs a whole number from 1 to 4096, not 'x'"},
      {{"--jobs", "99999999999999999999999", "d.txt"},
       "--jobs needs a whole number from 1 to 4096, not "
       "'99999999999999999999999'"},
      {{"--runs", "0", "d.txt"},
       "--runs needs a positive whole number, not '0'"},
      {{"--clock", "4294967296", "d.txt"},
       "--clock needs a clock second from 0 to 4294967295, not '4294967296'"},
      {{"--clock", "-1", "d.txt"},
       "--clock needs a clock second from 0 to 4294967295, not '-1'"},
      {{"--log", "", "d.txt"}, "--log needs a file name, not ''"},
      {{"--replay", "1", "0.9", "d.txt"},
       "--replay needs CLOCK LAMBDA T0 TF W1 W2 W3 DATAFILE (8 arguments, not "
       "3)"},
      {{"--replay", "x", "0.9", "1", "1", "1", "1", "1", "d.txt"},
       "--replay needs a clock second from 0 to 4294967295, not 'x'"},
  };
  for (const Case& c : cases) {
    SearchOptions options;
    std::string error;
    EXPECT_FALSE(Parse(c.arguments, &options, &error)) << c.error;
    EXPECT_EQ(c.error, error);
  }
}

TEST(SearchOptionsTest, ReplayKeepsTheParameterTextsAsGiven) {
  SearchOptions options;
  std::string error;
  // Negative numbers are values, not options; the texts are converted later,
  // as floorplan converts them.
  ASSERT_TRUE(Parse({"--replay", "4294967295", "0.5", "-.5", "-1e3", "3x", "-1",
                     "0", "my data.txt"},
                    &options, &error))
      << error;
  EXPECT_TRUE(options.replay);
  EXPECT_EQ(4294967295, options.replayClock);
  const char* expected[6] = {"0.5", "-.5", "-1e3", "3x", "-1", "0"};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(expected[i], options.replayParameters[i]);
  EXPECT_EQ("my data.txt", options.dataPath);
}

}  // namespace
