// Test support: one of the project's programs run as a real process, with
// what it writes to standard output and standard error captured through
// pipes, so that tests can see exit statuses and signals as a shell does,
// and send signals in the middle of a run.
#ifndef FLOORPLAN_TESTING_CHILD_PROCESS_H_
#define FLOORPLAN_TESTING_CHILD_PROCESS_H_

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

struct ChildOptions {
  // Standard output goes to this file instead of the pipe ("/dev/full",
  // say); "-" closes it before the program starts.
  std::string stdoutPath;
  // The same for standard error.
  std::string stderrPath;
  // Standard output is a pipe whose reader has gone away.
  bool stdoutReaderGone = false;
  // Standard error is a terminal (a pseudo-terminal the test reads), as for
  // a user at a shell; stderrPath is then ignored.
  bool stderrTerminal = false;
  // Standard input closed, instead of reading /dev/null.
  bool stdinClosed = false;
  // Signals the program starts with ignored, as under nohup.
  std::vector<int> ignoredSignals;
};

// How the process ended, and everything it wrote.
struct ChildResult {
  bool exited = false;
  int status = -1;  // the exit status, when exited
  bool signaled = false;
  int signal = 0;  // the ending signal, when signaled
  std::string out;
  std::string err;
};

class ChildProcess {
 public:
  // argv[0] is the program's path.
  ChildProcess(const std::vector<std::string>& argv,
               const ChildOptions& options = ChildOptions());
  // Runs `body` in a forked copy of the test process instead of a program;
  // what it returns is the exit status.
  ChildProcess(const std::function<int()>& body,
               const ChildOptions& options = ChildOptions());
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Kills a process still running.
  ~ChildProcess();

  // Reads its output until `text` appears in it or `seconds` pass; true when
  // it appeared.
  bool WaitForOutput(const std::string& text, double seconds);
  // The same for standard error.
  bool WaitForError(const std::string& text, double seconds);
  void Signal(int signal);
  // Reads everything left and waits for the end (killing the process after
  // `seconds`).
  ChildResult Finish(double seconds = 60);

 private:
  void Start(const std::function<void()>& run, const ChildOptions& options);
  bool Pump(double seconds);
  bool WaitFor(const std::string& text, const std::string& stream,
               double seconds);

  pid_t pid_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  std::string out_;
  std::string err_;
};

#endif  // FLOORPLAN_TESTING_CHILD_PROCESS_H_
