// Times whole runs of the program in-process, at a fixed clock, and prints
// per data file: modules, moves, seconds, moves per second, final area and
// dead space. With --compare, every file is run on both hot paths side by
// side and the outputs are checked to be identical.
//
//   floorplan_bench [--plain | --compare] FILE [PARAMETERS...]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/entry.h"
#include "io/line_reader.h"
#include "io/module_line.h"

namespace {

constexpr int64_t kClock = 1767225600;

struct Result {
  std::string output;
  double seconds = 0;
  int status = 0;
};

// Processor time of this process: steadier than the wall clock on a machine
// that is doing other work too.
double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) +
         1e-9 * static_cast<double>(now.tv_nsec);
}

Result Run(const std::vector<std::string>& arguments, HotPath hotPath) {
  std::vector<const char*> argv{"floorplan"};
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  char* data = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&data, &size);
  RunContext context;
  context.out = out;
  context.err = stderr;
  context.clock = [] { return kClock; };
  context.hotPath = hotPath;
  double start = CpuSeconds();
  Result result;
  result.status =
      RunFloorplan(static_cast<int>(argv.size()), argv.data(), context);
  fflush(out);
  result.seconds = CpuSeconds() - start;
  fclose(out);
  result.output.assign(data, size);
  free(data);
  return result;
}

// Sum of width x height over the modules the program reads from `path`.
long long TotalModuleArea(const std::string& path, int* modules) {
  FILE* file = fopen(path.c_str(), "rb");
  long long total = 0;
  *modules = 0;
  if (file == nullptr) return 0;
  LineReader reader(file);
  std::string piece;
  while (reader.ReadPiece(&piece)) {
    ModuleLine line = ParseModuleLine(piece);
    if (!line.hasIdentifier) continue;
    if (!line.complete) break;
    total += static_cast<long long>(line.width) * line.height;
    ++*modules;
  }
  fclose(file);
  return total;
}

long long CountMoves(const std::string& output) {
  size_t start = output.find("***Start of Simulated Annealing***\n\n");
  size_t end = output.find("\n***End of Simulated Annealing***");
  if (start == std::string::npos || end == std::string::npos) return 0;
  long long lines = 0;
  for (size_t i = start + 36; i < end; ++i) lines += output[i] == '\n';
  return lines;
}

long long FinalArea(const std::string& output) {
  size_t at = output.rfind("Cost: ");
  return at == std::string::npos ? 0 : std::atoll(output.c_str() + at + 6);
}

void Report(const char* label, const std::string& path, const Result& result) {
  int modules = 0;
  long long total = TotalModuleArea(path, &modules);
  long long moves = CountMoves(result.output);
  long long area = FinalArea(result.output);
  double dead = area > 0 ? 100.0 * static_cast<double>(area - total) /
                               static_cast<double>(area)
                         : 0;
  printf("%-6s %-28s %7d %10lld %9.3f %11.0f %12lld %8.2f%%\n", label,
         path.c_str(), modules, moves, result.seconds, moves / result.seconds,
         area, dead);
}

}  // namespace

int main(int argc, char** argv) {
  int at = 1;
  bool plain = false;
  bool compare = false;
  if (at < argc && std::strcmp(argv[at], "--plain") == 0) plain = true, ++at;
  if (at < argc && std::strcmp(argv[at], "--compare") == 0)
    compare = true, ++at;
  if (at >= argc) {
    fprintf(
        stderr,
        "usage: floorplan_bench [--plain | --compare] FILE [PARAMETERS...]\n");
    return 2;
  }
  std::vector<std::string> arguments(argv + at, argv + argc);
  const std::string& path = arguments[0];
  if (!compare) {
    Result result = Run(arguments, plain ? HotPath::kPlain : HotPath::kFast);
    Report(plain ? "plain" : "fast", path, result);
    return result.status == 0 ? 0 : 1;
  }
  Result fast = Run(arguments, HotPath::kFast);
  Result reference = Run(arguments, HotPath::kPlain);
  Report("fast", path, fast);
  Report("plain", path, reference);
  bool same = fast.output == reference.output;
  printf("%-6s %-28s speed-up %.1fx, output %s\n", "ratio", path.c_str(),
         reference.seconds / fast.seconds, same ? "identical" : "DIFFERENT");
  return same ? 0 : 1;
}
