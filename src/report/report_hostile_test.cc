// Hostile inputs and broken outputs through the built floorplan-report, as a
// shell would run it: each ends in its own message and exit status within a
// time limit, leaves no file behind and touches none it should not.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <string>

#include "testing/captured_run.h"
#include "testing/test_files.h"

namespace {

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// The exit status of `command` under sh, or -1 when it did not exit.
int Shell(const std::string& command) {
  int status = std::system(("exec 2>/dev/null; " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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
       "floorplan-report: /dev/zero:1: not a module line (identifier, width "
       "and height); the first two lines of a data file must be module "
       "lines\n",
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
       "floorplan-report: standard output: cannot write: Bad file "
       "descriptor\n",
       false},
      {"standard output full",
       R + Quoted(data) + " " + Quoted(log) + " >/dev/full", 1,
       "floorplan-report: standard output: cannot write: No space left on "
       "device\n",
       false},
      {"the picture on a closed standard output",
       report + " -o - " + Quoted(data) + " " + Quoted(log) + " >&-", 1,
       "floorplan-report: standard output: cannot write: Bad file "
       "descriptor\n",
       false},
      {"--version on a full standard output", report + " --version >/dev/full",
       1,
       "floorplan-report: standard output: cannot write: No space left on "
       "device\n",
       false},
      {"standard error closed", R + Quoted(data) + " " + Quoted(log) + " 2>&-",
       0, "", true},
      {"standard error closed, a bad log",
       R + Quoted(data) + " /dev/zero" + " 2>&-", 1, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out = folder / "out";
    std::string err = folder / "err";
    std::string script = folder / "case.sh";
    // The case's own redirections come after these and win.
    WriteText(script, "exec >" + Quoted(out) + " 2>" + Quoted(err) + "\n" +
                          c.command + "\n");
    int status = Shell("timeout 30 sh " + Quoted(script));
    EXPECT_EQ(c.status, status) << c.command;
    EXPECT_EQ(c.err, ReadFile(err));
    EXPECT_EQ(c.table, ReadFile(out).rfind("module ", 0) == 0);
    EXPECT_EQ(c.status == 0, access(picture.c_str(), F_OK) == 0);
    std::set<std::string> expected{"apte.txt", "run.log", "case.sh", "out",
                                   "err"};
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
  int pipeEnds[2];
  ASSERT_EQ(0, pipe(pipeEnds));
  close(pipeEnds[0]);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGPIPE, SIG_DFL);
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[1]);
    execl(FLOORPLAN_REPORT_BINARY, FLOORPLAN_REPORT_BINARY, "-o",
          (folder / "p.svg").c_str(), data.c_str(), log.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFSIGNALED(status)) << "exited with " << WEXITSTATUS(status);
  EXPECT_EQ(SIGPIPE, WTERMSIG(status));
  EXPECT_EQ(std::set<std::string>{"run.log"}, Listing(folder.path()));
}

}  // namespace
