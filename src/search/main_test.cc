// The real floorplan-search process: what a shell and a script see.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <set>
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
// the winner's log (a replay below 20 modules, from its record above), and
// then the process ends by the signal, as a shell expects. On a terminal
// the progress line tells when a run has finished. A second, different
// signal while the log is written ends the process at once, and leaves the
// old log as it was or the new one whole, never a temporary file; a signal
// while the log waits for a FIFO's reader ends the wait, and says so.
TEST(SearchMainTest, SignalsEndTheSearchWithItsResult) {
  struct Case {
    int signal;
    int second;  // sent once the summary is out; 0: none
    const char* file;
    const char* time;
    bool fifo;
  };
  const Case cases[] = {
      {SIGINT, 0, "examples/apte.txt", "0.5", false},
      {SIGTERM, 0, "examples/ami33.txt", "0.5", false},
      {SIGTERM, SIGINT, "examples/n100.txt", "10", false},
      {SIGTERM, 0, "examples/apte.txt", "0.5", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ScratchFolder folder;
    std::string log = folder / "winner.log";
    if (c.fifo) {
      ASSERT_EQ(0, mkfifo(log.c_str(), 0600));
    } else {
      WriteText(log, "old\n");
    }
    ChildOptions options;
    options.stderrTerminal = true;
    // Runs sized for the budget, and more of them than the test waits for;
    // the FIFO's search ends by its budget.
    std::vector<std::string> argv{
        FLOORPLAN_SEARCH_BINARY, "--time", c.time, "--jobs", "2", "--log", log};
    if (!c.fifo) argv.insert(argv.end(), {"--runs", "1000000"});
    argv.push_back(SourcePath(c.file));
    ChildProcess search(argv, options);
    if (c.fifo) {
      ASSERT_TRUE(search.WaitForOutput("slice: ", 30));
    } else {
      ASSERT_TRUE(search.WaitForError("best ", 60));
    }
    search.Signal(c.signal);
    if (c.second != 0) {
      ASSERT_TRUE(search.WaitForOutput("slice: ", 30));
      search.Signal(c.second);
    }
    ChildResult result = search.Finish();
    ASSERT_TRUE(result.signaled) << result.err;
    std::map<std::string, std::string> lines = KeyedLines(result.out);
    if (c.fifo) {
      EXPECT_EQ(c.signal, result.signal);
      EXPECT_NE(std::string::npos,
                result.err.find("floorplan-search: " + log +
                                ": the log was not written: stopped by the "
                                "signal"))
          << result.err;
      continue;
    }
    EXPECT_NE(std::string::npos, lines["run"].find(", interrupted"));
    std::vector<std::string> replay = SplitWords(lines["replay"]);
    ASSERT_EQ(10u, replay.size());
    EXPECT_EQ(FLOORPLAN_SEARCH_BINARY, replay[0]);
    std::string replayed = Replay(lines["replay"]);
    EXPECT_EQ(std::set<std::string>{"winner.log"}, Listing(folder.path()));
    EXPECT_EQ(lines["cost"].substr(0, lines["cost"].find(' ')),
              AreaText(ParseLog(replayed).finalCost));
    if (c.second != 0) {
      EXPECT_TRUE(result.signal == c.signal || result.signal == c.second);
      EXPECT_TRUE(ReadFile(log) == "old\n" || ReadFile(log) == replayed);
      continue;
    }
    EXPECT_EQ(c.signal, result.signal);
    // The progress line is cleared at the end, and nothing else is said.
    EXPECT_EQ("\r\033[K", result.err.substr(result.err.size() - 4));
    EXPECT_TRUE(ReadFile(log) == replayed);
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
