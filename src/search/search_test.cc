#include "search/search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "cli/version.h"
#include "io/data_file.h"
#include "io/number_text.h"
#include "model/area.h"
#include "testing/captured_run.h"
#include "testing/memory_stream.h"
#include "testing/parsed_log.h"
#include "testing/test_files.h"
#include "testing/test_floorplans.h"

namespace {

CapturedRun RunSearchCaptured(const std::vector<std::string>& arguments,
                              const std::atomic<int>* stop = nullptr,
                              FILE* out = nullptr) {
  CaptureSetup setup;
  setup.stop = stop;
  setup.out = out;
  return CaptureProgram(RunSearch, "floorplan-search", arguments, setup);
}

// --replay prints what floorplan prints, byte for byte, for short and
// verbose logs, defaults-like and odd parameters alike.
TEST(SearchTest, ReplayPrintsWhatFloorplanPrints) {
  struct Case {
    const char* file;
    int64_t clock;
    std::vector<std::string> parameters;
  };
  const Case cases[] = {
      {"examples/apte.txt", 1767225600, {"0.85", "32768", "10", "1", "1", "1"}},
      {"examples/hp.txt", 0, {"0.9", "1e5", "1", "3", "1", "2"}},
      {"examples/ami33.txt", 4294967295, {"0.95", "2000", "5", "1", "1", "1"}},
      {"examples/n100.txt", 12345, {".9", "5e3x", "10", "2", "1", "1"}},
  };
  for (const Case& c : cases) {
    std::string path = SourcePath(c.file);
    std::vector<std::string> arguments{"--replay", std::to_string(c.clock)};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    arguments.push_back(path);
    CapturedRun replay = RunSearchCaptured(arguments);
    std::vector<std::string> floorplanArguments{path};
    floorplanArguments.insert(floorplanArguments.end(), c.parameters.begin(),
                              c.parameters.end());
    CapturedRun floorplan = RunCaptured(floorplanArguments, c.clock);
    ASSERT_EQ(0, floorplan.status);
    EXPECT_EQ(0, replay.status) << replay.err;
    EXPECT_EQ("", replay.err);
    EXPECT_TRUE(replay.out == floorplan.out) << c.file;
  }
}

// --replay against the expected outputs under testdata/golden, made at
// their clock: the defaults spelled out (2^(9+6) for apte) and other
// parameters completed with floorplan's default weights.
TEST(SearchTest, ReplayMatchesTheGoldenRuns) {
  struct Case {
    const char* data;
    std::vector<std::string> parameters;
    const char* expected;
  };
  const Case cases[] = {
      {"apte", {"0.85", "32768", "10", "1", "1", "1"}, "apte__default"},
      {"apte", {"0.9", "1000", "10", "1", "1", "1"}, "apte__0.9_1000_10"},
      {"ami33", {"0.5", "100", "1", "3", "1", "2"}, "ami33__0.5_100_1_3_1_2"},
      {"ami33",
       {"0.85", "549755813888", "10", "1", "1", "1"},
       "ami33__default"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{"--replay",
                                       std::to_string(kGoldenClock)};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    arguments.push_back(
        SourcePath(std::string("testdata/golden/") + c.data + ".txt"));
    CapturedRun replay = RunSearchCaptured(arguments);
    EXPECT_EQ(0, replay.status) << replay.err;
    std::string expected = ReadFile(
        SourcePath(std::string("testdata/golden/") + c.expected + ".out"));
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(replay.out == expected) << c.expected;
  }
}

// A search's summary names a run that its replay command, the log and
// floorplan itself all reproduce, with that run's final cost, and the dead
// space follows from the cost and the module areas: below 20 modules, where
// the log is a replay, and from there on, where it is written from the
// winner's record of moves.
TEST(SearchTest, SummaryLogAndReplayAgree) {
  ScratchFolder folder;
  for (std::string path :
       {SourcePath("examples/hp.txt"), SourcePath("examples/ami33.txt"),
        SourcePath("examples/n100.txt"), RandomDataFile(45)}) {
    SCOPED_TRACE(path);
    std::string logPath = folder / "winner.log";
    CapturedRun search =
        RunSearchCaptured({"--time", "0.05", "--clock", "1000", "--runs", "5",
                           "--jobs", "2", "--log", logPath, path});
    ASSERT_EQ(0, search.status) << search.err;
    EXPECT_EQ("", search.err);
    std::map<std::string, std::string> lines = KeyedLines(search.out);

    std::vector<std::string> replay = SplitWords(lines["replay"]);
    ASSERT_EQ(10u, replay.size()) << lines["replay"];
    EXPECT_EQ("floorplan-search", replay[0]);
    EXPECT_EQ("--replay", replay[1]);
    EXPECT_EQ(lines["clock"], replay[2]);
    EXPECT_EQ(lines["parameters"], replay[3] + " " + replay[4] + " " +
                                       replay[5] + " " + replay[6] + " " +
                                       replay[7] + " " + replay[8]);
    EXPECT_EQ('/', replay[9][0]);
    std::vector<std::string> replayArguments(replay.begin() + 1, replay.end());
    CapturedRun replayed = RunSearchCaptured(replayArguments);
    ASSERT_EQ(0, replayed.status) << replayed.err;
    EXPECT_TRUE(ReadFile(logPath) == replayed.out);

    std::vector<std::string> floorplanArguments{path};
    for (const std::string& p : SplitWords(lines["parameters"]))
      floorplanArguments.push_back(p);
    CapturedRun floorplan = RunCaptured(
        floorplanArguments, static_cast<int64_t>(std::stoll(lines["clock"])));
    EXPECT_TRUE(floorplan.out == replayed.out);

    // The cost line: the winner's final cost, its dead space, the runs.
    const std::string& costLine = lines["cost"];
    std::vector<std::string> costWords = SplitWords(costLine);
    ASSERT_FALSE(costWords.empty());
    int64_t cost = std::stoll(costWords[0]);
    EXPECT_EQ(cost, static_cast<int64_t>(ParseLog(replayed.out).finalCost))
        << costLine;
    const std::string runs = "5 runs)";
    ASSERT_GE(costLine.size(), runs.size()) << costLine;
    EXPECT_EQ(runs, costLine.substr(costLine.size() - runs.size()));
    std::vector<DataModule> modules;
    std::string error;
    ASSERT_TRUE(ReadDataFile(path, &modules, &error));
    int64_t total = 0;
    for (const DataModule& module : modules)
      total += int64_t{module.width} * module.height;
    size_t percent = costLine.find("dead space ");
    ASSERT_NE(std::string::npos, percent) << costLine;
    EXPECT_NEAR(
        100.0 * static_cast<double>(cost - total) / static_cast<double>(cost),
        std::strtod(costLine.c_str() + percent + 11, nullptr), 0.006)
        << costLine;
  }
}

// Against a fixed outline the runs' costs are the outline's: the summary
// says how the winner fits, and its replay line, carrying the outline
// resolved, prints the log the search wrote.
TEST(SearchTest, OutlineSearchesReplayTheirLogs) {
  ScratchFolder folder;
  std::string path = SourcePath("examples/ami33.txt");
  struct Case {
    std::vector<std::string> outline;
    std::string words;
  };
  const Case cases[] = {
      {{"--outline", "1500", "1200"}, "1500 1200"},
      {{"--whitespace", "0.5"}, "1317 1317"},
      {{"--outline", "500", "500"}, "500 500"},
  };
  for (const Case& c : cases) {
    std::string logPath = folder / "winner.log";
    std::vector<std::string> arguments{"--time", "0.05",   "--clock",
                                       "3",      "--runs", "3",
                                       "--log",  logPath,  path};
    arguments.insert(arguments.begin(), c.outline.begin(), c.outline.end());
    CapturedRun search = RunSearchCaptured(arguments);
    ASSERT_EQ(0, search.status) << search.err;
    std::map<std::string, std::string> lines = KeyedLines(search.out);
    EXPECT_EQ(c.words + ": ", lines["outline"].substr(0, c.words.size() + 2));
    EXPECT_EQ(c.words == "500 500",
              lines["outline"].find("no run fits") != std::string::npos);
    std::vector<std::string> replay = SplitWords(lines["replay"]);
    ASSERT_EQ(13u, replay.size()) << lines["replay"];
    EXPECT_EQ("--outline " + c.words,
              replay[9] + " " + replay[10] + " " + replay[11]);
    CapturedRun replayed = RunSearchCaptured(
        std::vector<std::string>(replay.begin() + 1, replay.end()));
    ASSERT_EQ(0, replayed.status) << replayed.err;
    EXPECT_TRUE(ReadFile(logPath) == replayed.out);
    EXPECT_EQ(lines["cost"].substr(0, lines["cost"].find(' ')),
              AreaText(ParseLog(replayed.out).finalCost));
  }
}

// With the runs fixed, the outcome depends on the data, the clock, the
// plan's cores and the options alone: any number of threads gives the same
// summary.
TEST(SearchTest, ThreadsDoNotChangeTheOutcome) {
  for (const char* file : {"examples/apte.txt", "examples/ami33.txt"}) {
    for (const char* cores : {"2", "5"}) {
      std::string path = SourcePath(file);
      std::string first;
      for (const char* jobs : {"1", "2", "3"}) {
        CapturedRun search = RunSearchCaptured(
            {"--time", "0.01", "--clock", "4294967290", "--runs", "8",
             "--cores", cores, "--jobs", jobs, path});
        ASSERT_EQ(0, search.status) << search.err;
        std::map<std::string, std::string> lines = KeyedLines(search.out);
        // The run line also tells the search's seconds.
        std::string outcome = lines["cost"] + "|" + lines["clock"] + "|" +
                              lines["parameters"] + "|" + lines["replay"] +
                              "|" + lines["plan"] + "|" + lines["slice"];
        EXPECT_EQ(std::string(cores) + " cores",
                  lines["plan"].substr(0, lines["plan"].find(',')));
        if (first.empty()) first = outcome;
        EXPECT_EQ(first, outcome) << file << " jobs " << jobs;
      }
    }
  }
}

// A plan made in two slices and put together by --best has the whole
// plan's winner, and slices of different plans are refused, saying how.
TEST(SearchTest, SlicesOfAPlanGiveTheWholePlansWinner) {
  ScratchFolder folder;
  std::string path = SourcePath("examples/ami33.txt");
  auto summary = [&](const std::vector<std::string>& options,
                     const std::string& name) {
    std::vector<std::string> arguments{"--time", "0.02", "--cores", "3"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(path);
    CapturedRun run = RunSearchCaptured(arguments);
    EXPECT_EQ(0, run.status) << run.err;
    WriteText(folder / name, run.out);
    return run.out;
  };
  std::string whole = summary({"--clock", "7", "--runs", "9"}, "whole");
  summary({"--clock", "7", "--runs", "4"}, "a");
  summary({"--clock", "7", "--first-run", "4", "--runs", "5"}, "b");
  summary({"--clock", "8", "--first-run", "4", "--runs", "5"}, "clock");
  summary({"--clock", "7", "--first-run", "3", "--runs", "5"}, "overlap");
  CapturedRun best = RunSearchCaptured({"--best", folder / "b", folder / "a"});
  ASSERT_EQ(0, best.status) << best.err;
  std::map<std::string, std::string> got = KeyedLines(best.out);
  std::map<std::string, std::string> expected = KeyedLines(whole);
  for (const char* key :
       {"data", "cost", "clock", "parameters", "replay", "plan", "slice"}) {
    EXPECT_EQ(expected[key], got[key]) << key;
  }
  EXPECT_EQ(expected["run"].substr(0, expected["run"].find(')')),
            got["run"].substr(0, got["run"].find(')')));

  struct Refusal {
    std::vector<std::string> files;
    std::string message;
  };
  const Refusal refusals[] = {
      {{"a", "clock"},
       "a and " + folder / "clock" +
           ": summaries of different clocks (--clock 7 and 8)"},
      {{"a", "overlap"}, "a and " + folder / "overlap" + ": run 3 in both"},
      {{"b"}, ""},  // one slice alone is a plan of its own
      {{"a", "missing"}, ""},
  };
  for (const Refusal& r : refusals) {
    std::vector<std::string> arguments{"--best"};
    for (const std::string& file : r.files) arguments.push_back(folder / file);
    CapturedRun run = RunSearchCaptured(arguments);
    if (r.files[0] == "b") {
      EXPECT_EQ(0, run.status);
      continue;
    }
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.out);
    if (!r.message.empty()) {
      EXPECT_EQ("floorplan-search: " + folder / r.message + "\n", run.err);
    }
  }
}

TEST(SearchTest, RefusedDataFilesGiveTheReadersReason) {
  ScratchFolder folder;
  std::string one = folder / "one.txt";
  WriteText(one, "1 4 6\n");
  std::string broken = folder / "broken.txt";
  WriteText(broken, "1 4 6\n2 3\n");
  for (const std::string& path :
       {one, broken, folder.path(), folder / "missing.txt"}) {
    for (bool replay : {false, true}) {
      // A replay reads the file as floorplan does; a search more strictly.
      std::vector<DataModule> modules;
      std::string reason;
      ASSERT_FALSE(replay ? ReadDataFile(path, &modules, &reason)
                          : ReadStrictDataFile(path, &modules, &reason));
      std::vector<std::string> arguments{"--time", "1", path};
      if (replay) {
        arguments = {"--replay", "1", "0.9", "10", "1", "1", "1", "1", path};
      }
      CapturedRun run = RunSearchCaptured(arguments);
      EXPECT_EQ(1, run.status);
      EXPECT_EQ("", run.out);
      EXPECT_EQ("floorplan-search: " + reason + "\n", run.err);
    }
  }
}

TEST(SearchTest, CommandLineErrorsAndInformation) {
  std::string path = SourcePath("examples/apte.txt");
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string errStart;
  };
  const Case cases[] = {
      {{"--time", "0", path},
       2,
       "",
       "floorplan-search: --time needs a positive number of seconds, not "
       "'0'\nusage: floorplan-search"},
      {{"--jobs", "-1", path},
       2,
       "",
       "floorplan-search: --jobs needs a whole number"},
      {{"--fast", path}, 2, "", "floorplan-search: unknown option --fast\n"},
      {{}, 2, "", "floorplan-search: no DATAFILE given\n"},
      {{"--replay", "1", "1.5", "10", "1", "1", "1", "1", path},
       2,
       "",
       "floorplan-search: --replay: SimulatedAnnealing: Parameter 2 (double "
       "lambda) is not 0<lambda<1\n"},
      {{"--replay", "1", "0.5", "10", "1", "0", "0", "0", path},
       2,
       "",
       "floorplan-search: --replay: SimulatedAnnealing: Parameters 5-7"},
      {{"--help"}, 0, ReadFile(SourcePath("testdata/search_usage.txt")), ""},
      {{"--version"},
       0,
       std::string("floorplan-search ") + kFloorplanVersion + "\n",
       ""},
  };
  for (const Case& c : cases) {
    CapturedRun run = RunSearchCaptured(c.arguments);
    EXPECT_EQ(c.status, run.status) << run.err;
    EXPECT_EQ(c.out, run.out);
    EXPECT_EQ(c.errStart, run.err.substr(0, c.errStart.size())) << run.err;
  }
}

// A stop asked before any run finished leaves nothing to report: a message,
// the status of the signal and no log file.
TEST(SearchTest, NoFinishedRunIsAFailureAndWritesNoLog) {
  ScratchFolder folder;
  std::atomic<int> stop{15};
  CapturedRun run =
      RunSearchCaptured({"--time", "5", "--log", folder / "log.txt",
                         SourcePath("examples/n200.txt")},
                        &stop);
  EXPECT_EQ(128 + 15, run.status);
  EXPECT_EQ("", run.out);
  EXPECT_EQ("floorplan-search: " + SourcePath("examples/n200.txt") +
                ": no run finished before the signal\n",
            run.err);
  EXPECT_TRUE(Listing(folder.path()).empty());
}

TEST(SearchTest, FailedWritesAreFailures) {
  std::string path = SourcePath("examples/apte.txt");
  FILE* full = fopen("/dev/full", "w");
  ASSERT_NE(nullptr, full);
  CapturedRun summary = RunSearchCaptured(
      {"--time", "0.1", "--runs", "1", "--clock", "5", path}, nullptr, full);
  EXPECT_EQ(1, summary.status);
  EXPECT_EQ(
      "floorplan-search: cannot write to standard output: No space left on "
      "device\n",
      summary.err);
  CapturedRun replay = RunSearchCaptured(
      {"--replay", "5", "0.9", "100", "1", "1", "1", "1", path}, nullptr, full);
  EXPECT_EQ(1, replay.status);
  EXPECT_EQ(
      "floorplan-search: cannot write to standard output: No space left on "
      "device\n",
      replay.err);
  fclose(full);

  // A log that cannot be a file is refused before the search starts.
  ScratchFolder folder;
  CapturedRun log = RunSearchCaptured(
      {"--time", "0.1", "--runs", "1", "--log", folder.path(), path});
  EXPECT_EQ(1, log.status);
  EXPECT_EQ("", log.out);
  EXPECT_EQ("floorplan-search: " + folder.path() + ": ",
            log.err.substr(0, folder.path().size() + 20));
}

}  // namespace
