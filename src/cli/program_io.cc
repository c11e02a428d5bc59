#include "cli/program_io.h"

#include <unistd.h>

#include <ctime>
#include <new>

#include "cli/standard_descriptors.h"
#include "cli/stop_signals.h"
#include "io/output_file.h"

void ProgramIO::Complain(const std::string& message) const {
  fprintf(err, "%s: %s\n", program, message.c_str());
  fflush(err);
}

bool ProgramIO::WriteAll(const std::string& text) const {
  std::string reason;
  if (!WriteStream(out, text, &reason) || !FlushStream(out, &reason)) {
    Complain(LostWrite("standard output", reason));
    return false;
  }
  return true;
}

int ProgramIO::StopSignal() const {
  return stop != nullptr ? stop->load() : 0;
}

int RunProgramProcess(int argc, char** argv, const char* program,
                      const ProgramEntry& entry, int failureStatus) {
  GuardStandardDescriptors();
  InstallStopSignals();
  ProgramIO io;
  io.program = program;
  io.errIsTerminal = isatty(STDERR_FILENO) == 1;
  io.clock = [] { return static_cast<int64_t>(std::time(nullptr)); };
  io.stop = StopRequest();
  int status;
  try {
    status = entry(argc, argv, io);
  } catch (const std::bad_alloc&) {
    // Whatever was written stays as it is: result files are only ever put
    // in place once complete.
    io.Complain("out of memory");
    status = failureStatus;
  }
  RaiseReceivedSignal();
  return status;
}
