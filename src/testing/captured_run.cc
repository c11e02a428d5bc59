#include "testing/captured_run.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "floorplan/entry.h"

std::vector<const char*> ArgvOf(const char* program,
                                const std::vector<std::string>& arguments) {
  std::vector<const char*> argv{program};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  return argv;
}

CapturedRun CaptureProgram(const ProgramEntry& entry, const char* program,
                           const std::vector<std::string>& arguments,
                           const CaptureSetup& setup) {
  std::vector<const char*> argv = ArgvOf(program, arguments);
  FILE* in = setup.in != nullptr ? setup.in : StreamOf(setup.input);
  MemoryStream out;
  MemoryStream err;
  ProgramIO io;
  io.program = program;
  io.in = in;
  io.out = setup.out != nullptr ? setup.out : out.file;
  io.err = err.file;
  io.errIsTerminal = setup.errIsTerminal;
  int64_t clock = setup.clock;
  io.clock = [clock] { return clock; };
  io.stop = setup.stop;
  CapturedRun run;
  run.status = entry(static_cast<int>(argv.size()), argv.data(), io);
  if (setup.in == nullptr) fclose(in);
  run.out = out.Close();
  run.err = err.Close();
  return run;
}

CapturedRun RunCaptured(const std::vector<std::string>& arguments,
                        int64_t clock, HotPath hotPath) {
  CaptureSetup setup;
  setup.clock = clock;
  return CaptureProgram(
      [hotPath](int argc, const char* const* argv, const ProgramIO& io) {
        return RunFloorplan(argc, argv, io, hotPath);
      },
      "floorplan", arguments, setup);
}

std::string SourcePath(const std::string& relative) {
  return std::string(FLOORPLAN_SOURCE_DIR) + "/" + relative;
}

std::vector<DataModule> ReadModules(const std::string& path) {
  std::vector<DataModule> modules;
  std::string error;
  if (!ReadDataFile(path, &modules, &error)) {
    ADD_FAILURE() << path << ": " << error;
    modules.clear();
  }
  return modules;
}

std::string WriteTempFile(const std::string& name,
                          const std::string& contents) {
  const char* folder = std::getenv("TEST_TMPDIR");
  std::string path = std::string(folder != nullptr ? folder : "/tmp") +
                     "/floorplan_test_" + std::to_string(getpid()) + "_" + name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << contents;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}
