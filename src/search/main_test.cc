// The real floorplan-search process: what a shell and a script see.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "testing/captured_run.h"
#include "testing/child_process.h"
#include "testing/parsed_log.h"
#include "testing/test_files.h"

namespace {

// Runs the summary's replay command line (no shell: the test paths need no
// quoting) and returns what it printed.
std::string Replay(const std::string& command) {
  ChildProcess replay(SplitWords(command));
  ChildResult result = replay.Finish();
  EXPECT_TRUE(result.exited && result.status == 0) << result.err;
  return result.out;
}

// A signal ends the search early: the summary of the runs finished so far,
// the winner's log, and then the process ends by the signal, as a shell
// expects. On a terminal the progress line tells when a run has finished.
TEST(SearchMainTest, SignalsEndTheSearchWithItsResult) {
  for (int signal : {SIGINT, SIGTERM}) {
    ScratchFolder folder;
    std::string log = folder / "winner.log";
    ChildOptions options;
    options.stderrTerminal = true;
    // Runs sized for a fraction of a second, and more of them than the test
    // waits for.
    ChildProcess search({FLOORPLAN_SEARCH_BINARY, "--time", "0.5", "--runs",
                         "1000000", "--jobs", "2", "--log", log,
                         SourcePath("examples/apte.txt")},
                        options);
    ASSERT_TRUE(search.WaitForError("best ", 30));
    search.Signal(signal);
    ChildResult result = search.Finish();
    ASSERT_TRUE(result.signaled) << result.err;
    EXPECT_EQ(signal, result.signal);
    // The progress line is cleared at the end, and nothing else is said.
    EXPECT_EQ("\r\033[K", result.err.substr(result.err.size() - 4));
    std::map<std::string, std::string> lines = KeyedLines(result.out);
    EXPECT_NE(std::string::npos, lines["run"].find(", interrupted"));
    std::vector<std::string> replay = SplitWords(lines["replay"]);
    ASSERT_EQ(10u, replay.size());
    EXPECT_EQ(FLOORPLAN_SEARCH_BINARY, replay[0]);
    std::string replayed = Replay(lines["replay"]);
    EXPECT_TRUE(ReadFile(log) == replayed);
    EXPECT_EQ(lines["cost"].substr(0, lines["cost"].find(' ')),
              AreaText(ParseLog(replayed).finalCost));
  }
}

// A search left to its budget ends by itself, and with standard error not a
// terminal it shows no progress.
TEST(SearchMainTest, BudgetEndsTheSearchQuietlyOffATerminal) {
  ChildProcess search({FLOORPLAN_SEARCH_BINARY, "--time", "1",
                       SourcePath("examples/xerox.txt")});
  ChildResult result = search.Finish();
  ASSERT_TRUE(result.exited);
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ("", result.err);
  std::map<std::string, std::string> lines = KeyedLines(result.out);
  EXPECT_EQ(6u, SplitWords(lines["parameters"]).size());
  ASSERT_EQ(10u, SplitWords(lines["replay"]).size()) << lines["replay"];
  std::string replayed = Replay(lines["replay"]);
  EXPECT_EQ(lines["cost"].substr(0, lines["cost"].find(' ')),
            AreaText(ParseLog(replayed).finalCost));
}

}  // namespace
