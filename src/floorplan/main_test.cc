// The program as a process: what a shell sees when its output is lost, and
// when the run is interrupted.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"
#include "testing/child_process.h"
#include "testing/parsed_log.h"

namespace {

const std::string kBinary = FLOORPLAN_BINARY;

// A run of many moves: long enough to be interrupted while it anneals.
std::vector<std::string> LongRun() {
  return {kBinary, SourcePath("examples/n200.txt"), "0.99999", "100000", "1"};
}

// Lost output is a failure, stopped at the first failed write, with one
// message; a run whose writes succeed is unchanged whatever happens to
// standard error.
TEST(MainTest, LostOutputIsAFailure) {
  const std::string apte = SourcePath("examples/apte.txt");
  const std::string kFull =
      "floorplan: cannot write to standard output: No space left on device\n";
  const std::string kClosed =
      "floorplan: cannot write to standard output: Bad file descriptor\n";
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string stdoutPath;
    std::string err;
  };
  const Case cases[] = {
      {"full disk, short run", {apte, "0.5", "100", "10"}, "/dev/full", kFull},
      {"full disk, long log", LongRun(), "/dev/full", kFull},
      {"closed", {apte}, "-", kClosed},
      {"usage text to a full disk", {}, "/dev/full", kFull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> argv = c.arguments;
    if (argv.empty() || argv[0] != kBinary) argv.insert(argv.begin(), kBinary);
    ChildOptions options;
    options.stdoutPath = c.stdoutPath;
    ChildResult result = ChildProcess(argv, options).Finish();
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(255, result.status);
    EXPECT_EQ(c.err, result.err);
  }

  ChildOptions failingErr;
  failingErr.stderrPath = "/dev/full";
  ChildResult quiet =
      ChildProcess({kBinary, apte, "0.5", "100", "10"}, failingErr).Finish();
  EXPECT_TRUE(quiet.exited);
  EXPECT_EQ(0, quiet.status);
  ParseLog(quiet.out);
}

// Interrupted, the run finishes its move, writes the final report of the
// best floorplan so far, and ends by the signal, as the shell expects. The
// same signal twice at once, as coreutils' timeout sends SIGTERM, is one
// request.
TEST(MainTest, InterruptedRunKeepsItsResult) {
  for (int signal : {SIGINT, SIGTERM, -SIGTERM}) {
    SCOPED_TRACE(signal);
    ChildProcess child(LongRun());
    ASSERT_TRUE(child.WaitForOutput("***Start of Simulated Annealing***", 30));
    if (signal < 0) {
      signal = -signal;
      child.Signal(signal);
    }
    child.Signal(signal);
    ChildResult result = child.Finish();
    EXPECT_TRUE(result.signaled);
    EXPECT_EQ(signal, result.signal);
    EXPECT_EQ("", result.err);
    Log log = ParseLog(result.out);
    ASSERT_FALSE(log.moves.empty());
    Area best = log.initialCost;
    for (const Move& move : log.moves) best = std::min(best, move.cost);
    EXPECT_EQ(best, log.finalCost);
  }
}

// A signal ignored at the start stays ignored; a second signal ends the
// run at once, without its report.
TEST(MainTest, IgnoredAndSecondSignals) {
  ChildOptions nohup;
  nohup.ignoredSignals = {SIGINT};
  ChildProcess ignoring(LongRun(), nohup);
  ASSERT_TRUE(ignoring.WaitForOutput("***Start of Simulated Annealing***", 30));
  ignoring.Signal(SIGINT);
  // Ignored, it changes nothing: the run goes on, far past that moment.
  ASSERT_TRUE(ignoring.WaitForOutput("\n500000 ", 60));
  ignoring.Signal(SIGTERM);
  ChildResult result = ignoring.Finish();
  EXPECT_TRUE(result.signaled);
  EXPECT_EQ(SIGTERM, result.signal);  // SIGINT changed nothing
  ParseLog(result.out);

  ChildProcess twice(LongRun());
  ASSERT_TRUE(twice.WaitForOutput("***Start of Simulated Annealing***", 30));
  // Both arrive together once the process continues, in an order the
  // system chooses; the second ends it.
  twice.Signal(SIGSTOP);
  twice.Signal(SIGINT);
  twice.Signal(SIGTERM);
  twice.Signal(SIGCONT);
  ChildResult ended = twice.Finish();
  EXPECT_TRUE(ended.signaled);
  EXPECT_TRUE(ended.signal == SIGINT || ended.signal == SIGTERM);
  EXPECT_EQ(std::string::npos, ended.out.find("Final solution:"));
}

}  // namespace
