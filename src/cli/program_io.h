// What every program's entry borrows from the process, and the one way each
// program speaks through it. An entry takes a ProgramIO instead of reaching
// for stdin, stdout, stderr, the clock or the signals itself, so a test can
// run a whole invocation in-process with a fixed clock and compare every
// byte.
#ifndef FLOORPLAN_CLI_PROGRAM_IO_H_
#define FLOORPLAN_CLI_PROGRAM_IO_H_

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// The streams and facts of one invocation; the caller owns the streams and
// the stop flag, which outlive the entry.
struct ProgramIO {
  // The program's name, the prefix of every message on `err`.
  const char* program = "";
  FILE* in = stdin;
  FILE* out = stdout;
  FILE* err = stderr;
  // Whether `err` is a terminal, where a progress line may go.
  bool errIsTerminal = false;
  // The calendar clock in whole seconds.
  std::function<int64_t()> clock;
  // When set and non-zero (a signal number), the program was asked to stop:
  // it says what there is to say and returns.
  const std::atomic<int>* stop = nullptr;

  // "PROGRAM: message" and a line end on `err`. If `err` cannot be written
  // there is nobody left to tell, and the exit status still says it.
  void Complain(const std::string& message) const;
  // Writes all of `text` to `out` and flushes it; false after complaining
  // that standard output cannot be written.
  bool WriteAll(const std::string& text) const;
  // The signal that asked to stop, or 0.
  int StopSignal() const;
};

// An entry: argv[0] is the program's name or path; returns the exit status.
using ProgramEntry =
    std::function<int(int argc, const char* const* argv, const ProgramIO& io)>;

// The whole life of a program's process around its entry: guards the
// standard descriptors, installs the stop signals, runs the entry with the
// process's own streams and clock, tells a failed allocation as "out of
// memory" and returns `failureStatus` for it, and when a stop signal was
// received, raises it again with its default action once the entry has said
// what it had to say, so that the shell sees 130 or 143.
int RunProgramProcess(int argc, char** argv, const char* program,
                      const ProgramEntry& entry, int failureStatus);

#endif  // FLOORPLAN_CLI_PROGRAM_IO_H_
