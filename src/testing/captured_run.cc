#include "testing/captured_run.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/entry.h"

std::vector<const char*> ArgvOf(const char* program,
                                const std::vector<std::string>& arguments) {
  std::vector<const char*> argv{program};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  return argv;
}

CapturedRun RunCaptured(const std::vector<std::string>& arguments,
                        int64_t clock, HotPath hotPath) {
  std::vector<const char*> argv = ArgvOf("floorplan", arguments);
  MemoryStream out;
  MemoryStream err;
  RunContext context;
  context.out = out.file;
  context.err = err.file;
  context.clock = [clock] { return clock; };
  context.hotPath = hotPath;
  CapturedRun run;
  run.status =
      RunFloorplan(static_cast<int>(argv.size()), argv.data(), context);
  run.out = out.Close();
  run.err = err.Close();
  return run;
}

std::string SourcePath(const std::string& relative) {
  return std::string(FLOORPLAN_SOURCE_DIR) + "/" + relative;
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
