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

TEST(SearchReportTest, SummaryLinesScriptsParse) {
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
  facts.replayCommand = ReplayCommand("/usr/bin/floorplan-search", facts.clock,
                                      facts.parameters, facts.dataPath);
  facts.runIndex = 0;
  facts.moves = 17;
  facts.seconds = 2.04;
  facts.interrupted = true;
  std::vector<std::string> lines = SplitLines(SummaryText(facts));
  std::vector<std::string> expected = {
      "data: /data/my blocks.txt (3 modules, module area 900)",
      "cost: 1000 (dead space 10.00 %, 1 runs)",
      "clock: 4294967295",
      "parameters: 0.99998766 1.552e+05 0.1 3 1 1",
      "replay: /usr/bin/floorplan-search --replay 4294967295 0.99998766 "
      "1.552e+05 0.1 3 1 1 '/data/my blocks.txt'",
      "run: 0 (17 moves), search 2.0 s, interrupted",
  };
  EXPECT_EQ(expected, lines);
}

TEST(SearchReportTest, ProgressLine) {
  EXPECT_EQ("3 / 60 s  runs 0\033[K", ProgressLine(3.4, 60, 0, 0, 1));
  EXPECT_EQ("12 / 60 s  runs 7  best 1250 (dead space 20.00 %)\033[K",
            ProgressLine(12.4, 60, 7, 1250, 1000));
}

}  // namespace
