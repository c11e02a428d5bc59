#include "search/search_report.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/child_process.h"
#include "testing/parsed_log.h"

namespace {

// What a POSIX shell makes of `word`: printed back by printf, one word.
std::string ThroughShell(const std::string& word) {
  ChildProcess shell({"/bin/sh", "-c", "printf '%s|' " + word});
  return shell.Finish().out;
}

TEST(SearchReportTest, ShellQuotedSurvivesAShell) {
  const char* texts[] = {
      "/abs/examples/n100.txt",
      "/tmp/my data/n 100.txt",
      "/tmp/it's.txt",
      "/tmp/$HOME/`id`/*.txt",
      "/tmp/a\"b\\c;d&e|f<g>h(i)j{k}l~m#n!o?p[q]",
      "/tmp/tab\there",
      "-",
  };
  for (const char* text : texts) {
    std::string quoted = ShellQuoted(text);
    EXPECT_EQ(std::string(text) + "|", ThroughShell(quoted)) << quoted;
  }
  EXPECT_EQ("/abs/examples/n100.txt", ShellQuoted("/abs/examples/n100.txt"));
}

// The summary's lines as scripts parse them, and read back by --best to the
// same facts: without an outline, and against one that the winner fits or
// misses.
TEST(SearchReportTest, SummaryLinesScriptsParseAndReadBack) {
  SummaryFacts facts;
  facts.dataPath = "/data/my blocks.txt";
  facts.numModules = 3;
  facts.moduleArea = 900;
  facts.cost = 1000;
  facts.runsDone = 1;
  facts.clock = 4294967295;
  facts.parameters.lambda = 1.0 - 1.234e-5;
  facts.parameters.T0 = 155200;
  facts.parameters.Tf = 0.1;
  facts.parameters.probM1 = 3;
  facts.runIndex = 0;
  facts.moves = 17;
  facts.seconds = 2.04;
  facts.ending = SearchEnding::kInterrupted;
  facts.cores = 8;
  facts.longRunsPerCore = 3;
  facts.longRunMoves = 9400000;
  facts.longRunsDone = 24;
  facts.budgetSeconds = 0.5;
  facts.baseClock = 4294967290;
  facts.firstRun = 5;
  facts.runs = 40;
  facts.dataDigest = 0x0123456789abcdefull;
  struct Case {
    bool hasOutline;
    FloorplanShape shape;
    const char* outlineLine;
    const char* replayOutline;
  };
  const Case cases[] = {
      {false, {}, nullptr, ""},
      {true,
       {40, 25, false},
       "outline: 40 30: fits as 40 x 25 (area 1000)",
       "--outline 40 30 "},
      {true,
       {20, 50, true},
       "outline: 40 30: no run fits (closest 20 x 50)",
       "--outline 40 30 "},
  };
  for (const Case& c : cases) {
    facts.hasOutline = c.hasOutline;
    facts.outline = {40, 30};
    facts.shape = c.shape;
    facts.replayCommand = ReplayCommand(
        "/usr/bin/floorplan-search", facts.clock, facts.parameters,
        c.hasOutline ? &facts.outline : nullptr, facts.dataPath);
    std::vector<std::string> expected = {
        "data: /data/my blocks.txt (3 modules, module area 900)",
        "cost: 1000 (dead space 10.00 %, 1 runs)",
        "clock: 4294967295",
        "parameters: 0.99998766 155200 0.1 3 1 1",
        std::string("replay: /usr/bin/floorplan-search --replay 4294967295 "
                    "0.99998766 155200 0.1 3 1 1 ") +
            c.replayOutline + "'/data/my blocks.txt'",
        "run: 0 (17 moves), search 2.0 s, interrupted",
        "plan: 8 cores, 3 long runs of 9,400,000 moves a core, 24 of them "
        "finished",
    };
    if (c.outlineLine != nullptr) expected.push_back(c.outlineLine);
    expected.push_back(
        std::string("slice: --time 0.5 --cores 8 --clock 4294967290") +
        (c.hasOutline ? " --outline 40 30" : "") +
        " --first-run 5 --runs 40, data 0123456789abcdef");
    std::string text = SummaryText(facts);
    EXPECT_EQ(expected, SplitLines(text));
    SummaryFacts read;
    std::string error;
    ASSERT_TRUE(ParseSummary(text, &read, &error)) << error;
    EXPECT_EQ(text, SummaryText(read));
    EXPECT_FALSE(ParseSummary(text.substr(1), &read, &error));
    EXPECT_FALSE(ParseSummary(text + "cost: 1\n", &read, &error));
  }
}

TEST(SearchReportTest, ProgressLine) {
  EXPECT_EQ("3 / 60 s  runs 0\033[K", ProgressLine(3.4, 60, 0, 0, 1));
  EXPECT_EQ("12 / 60 s  runs 7  best 1250 (dead space 20.00 %)\033[K",
            ProgressLine(12.4, 60, 7, 1250, 1000));
}

}  // namespace
