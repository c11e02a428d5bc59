// Test support: runs a whole invocation of one of the programs in-process,
// through its entry, with a fixed clock, and returns everything it wrote.
#ifndef FLOORPLAN_TESTING_CAPTURED_RUN_H_
#define FLOORPLAN_TESTING_CAPTURED_RUN_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "anneal/annealer.h"
#include "cli/program_io.h"
#include "io/data_file.h"
#include "testing/memory_stream.h"

// The clock of the expected outputs under testdata/golden.
constexpr int64_t kGoldenClock = 1767225600;  // 2026-01-01 00:00:00 UTC

struct CapturedRun {
  int status = 0;
  std::string out;
  std::string err;
};

// The argv of `program` and `arguments`, pointing into `arguments`.
std::vector<const char*> ArgvOf(const char* program,
                                const std::vector<std::string>& arguments);

// How the invocation's process looks to the program.
struct CaptureSetup {
  int64_t clock = kGoldenClock;
  std::string input;   // standard input's contents
  FILE* in = nullptr;  // read instead of `input` when set; stays the caller's
  // Written instead of the captured standard output when set (a stream that
  // fails, say); stays the caller's.
  FILE* out = nullptr;
  const std::atomic<int>* stop = nullptr;
  bool errIsTerminal = false;
};

// `program` is argv[0] and the prefix of the program's messages; `arguments`
// exclude it.
CapturedRun CaptureProgram(const ProgramEntry& entry, const char* program,
                           const std::vector<std::string>& arguments,
                           const CaptureSetup& setup = CaptureSetup());

// A run of floorplan itself, the most common case.
CapturedRun RunCaptured(const std::vector<std::string>& arguments,
                        int64_t clock = kGoldenClock,
                        HotPath hotPath = HotPath::kFast);

// A path under the source tree, e.g. SourcePath("examples/apte.txt").
std::string SourcePath(const std::string& relative);

// The modules of the data file at `path`; the test fails, and goes on with
// none, when it cannot be read.
std::vector<DataModule> ReadModules(const std::string& path);

// Writes `contents` to a fresh file in the test's temporary folder and
// returns its path.
std::string WriteTempFile(const std::string& name, const std::string& contents);

std::string ReadFile(const std::string& path);

#endif  // FLOORPLAN_TESTING_CAPTURED_RUN_H_
