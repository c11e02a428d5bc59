// Hostile inputs and broken outputs through the built floorplan-report, as a
// shell would run it: each ends in its own message and exit status within a
// time limit, leaves no file behind and touches none it should not.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <set>
#include <string>

#include "testing/captured_run.h"
#include "testing/child_process.h"
#include "testing/test_files.h"

namespace {

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

TEST(ReportHostileTest, EveryCaseEndsInItsMessage) {
  ScratchFolder folder;
  std::string data = folder / "apte.txt";
  WriteText(data, ReadFile(SourcePath("examples/apte.txt")));
  CapturedRun run = RunCaptured({data, "0.9", "1000", "10"});
  ASSERT_EQ(0, run.status);
  std::string log = folder / "run.log";
  WriteText(log, run.out);
  std::string report = Quoted(FLOORPLAN_REPORT_BINARY);
  std::string picture = folder / "p.svg";
  // apte's expression: 9 modules of 3 characters and 8 cuts, so a log line
  // is at most 35 + 512 characters long.
  const std::string tooLong =
      "a line longer than any line of a log of this data file (547 "
      "characters): not the log of a run on it\n";
  struct Case {
    const char* name;
    std::string command;  // run by sh with a time limit
    int status;
    std::string err;
    bool table;  // on standard output, which takes it before the picture
  };
  const std::string R = report + " -o " + Quoted(picture) + " ";
  const Case cases[] = {
      {"an endless line", "tr '\\0' x </dev/zero | " + R + Quoted(data), 1,
       "floorplan-report: <stdin>:1: " + tooLong, false},
      {"endless lines", "yes | " + R + Quoted(data), 1,
       "floorplan-report: <stdin>:1: not the log of a floorplan run: "
       "expected the initial report (\"Initial ... Cost: <area>\") or "
       "\"***Start of Simulated Annealing***\"\n",
       false},
      {"/dev/zero as the log", R + Quoted(data) + " /dev/zero", 1,
       "floorplan-report: /dev/zero:1: " + tooLong, false},
      {"/dev/zero as the data file", R + "/dev/zero " + Quoted(log), 1,
       "floorplan-report: /dev/zero:1: not a module line (an identifier, two "
       "sides from 1 to 65535 and at most a name)\n",
       false},
      {"a directory as the log", R + Quoted(data) + " " + Quoted(folder.path()),
       1,
       "floorplan-report: " + folder.path() + ": is a directory, not a log\n",
       false},
      {"a directory as the data file",
       R + Quoted(folder.path()) + " " + Quoted(log), 1,
       "floorplan-report: " + folder.path() +
           ": cannot read the data file: Is a directory\n",
       false},
      {"standard input closed", R + Quoted(data) + " <&-", 1,
       "floorplan-report: <stdin>: standard input is closed: give LOGFILE, or "
       "pipe the output of floorplan in\n",
       false},
      {"the picture onto the log",
       report + " -o " + Quoted(log) + " " + Quoted(data) + " - <" +
           Quoted(log),
       1,
       "floorplan-report: " + log +
           ": is the same file as the input /dev/stdin\n",
       true},
      {"standard output closed", R + Quoted(data) + " " + Quoted(log) + " >&-",
       1,
       "floorplan-report: cannot write to standard output: Bad file "
       "descriptor\n",
       false},
      {"standard output full",
       R + Quoted(data) + " " + Quoted(log) + " >/dev/full", 1,
       "floorplan-report: cannot write to standard output: No space left on "
       "device\n",
       false},
      {"the picture on a closed standard output",
       report + " -o - " + Quoted(data) + " " + Quoted(log) + " >&-", 1,
       "floorplan-report: cannot write to standard output: Bad file "
       "descriptor\n",
       false},
      {"--version on a full standard output", report + " --version >/dev/full",
       1,
       "floorplan-report: cannot write to standard output: No space left on "
       "device\n",
       false},
      {"standard error closed", R + Quoted(data) + " " + Quoted(log) + " 2>&-",
       0, "", true},
      {"standard error closed, a bad log",
       R + Quoted(data) + " /dev/zero" + " 2>&-", 1, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The case's own redirections come after the test's pipes and win.
    ChildResult result =
        ChildProcess({"/bin/sh", "-c", c.command}).Finish(30);
    ASSERT_TRUE(result.exited) << c.command;
    EXPECT_EQ(c.status, result.status) << c.command;
    EXPECT_EQ(c.err, result.err);
    EXPECT_EQ(c.table, result.out.rfind("module ", 0) == 0);
    // The table names the picture only once it is in place.
    EXPECT_EQ(c.status == 0 && c.table,
              result.out.find("\npicture ") != std::string::npos);
    EXPECT_EQ(c.status == 0, access(picture.c_str(), F_OK) == 0);
    std::set<std::string> expected{"apte.txt", "run.log"};
    if (c.status == 0) expected.insert("p.svg");
    EXPECT_EQ(expected, Listing(folder.path()));
    EXPECT_TRUE(run.out == ReadFile(log)) << "the log was changed";
    unlink(picture.c_str());
  }
}

// A reader that has gone away ends the program by SIGPIPE, as it ends any
// other filter: the report does not ignore the signal.
TEST(ReportHostileTest, AVanishedReaderEndsItBySigpipe) {
  ScratchFolder folder;
  std::string data = SourcePath("examples/apte.txt");
  CapturedRun run = RunCaptured({data, "0.9", "1000", "10"});
  ASSERT_EQ(0, run.status);
  std::string log = folder / "run.log";
  WriteText(log, run.out);
  ChildOptions options;
  options.stdoutReaderGone = true;
  ChildResult result =
      ChildProcess({FLOORPLAN_REPORT_BINARY, "-o", folder / "p.svg", data, log},
                   options)
          .Finish();
  ASSERT_TRUE(result.signaled) << "exited with " << result.status;
  EXPECT_EQ(SIGPIPE, result.signal);
  EXPECT_EQ(std::set<std::string>{"run.log"}, Listing(folder.path()));
}

}  // namespace
