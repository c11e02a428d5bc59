#include "report/report_log.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "anneal/log_format.h"
#include "io/file_closer.h"

namespace {

std::string Located(const std::string& file, uint64_t line) {
  return line == 0 ? file : file + ":" + std::to_string(line);
}

// Empty when `file` can hold a log, else what it is instead. A standard
// input that was closed is /dev/null opened for writing by then
// (GuardStandardDescriptors), or no descriptor at all.
std::string NotALog(FILE* file, bool standardInput) {
  int fd = fileno(file);
  if (fd < 0) return "";  // an in-memory stream
  int flags = fcntl(fd, F_GETFL);
  if (standardInput && (flags == -1 || (flags & O_ACCMODE) == O_WRONLY)) {
    return "standard input is closed: give LOGFILE, or pipe the output of "
           "floorplan in";
  }
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    return "is a directory, not a log";
  }
  return "";
}

}  // namespace

size_t ExpressionLength(const std::vector<DataModule>& modules) {
  size_t length = modules.empty() ? 0 : modules.size() - 1;  // the cuts
  for (const DataModule& module : modules) {
    length += 2 + std::to_string(module.identifier).size();
  }
  return length;
}

bool ReadReportLog(const std::string& path, FILE* in,
                   const std::vector<DataModule>& modules, CostCurve* curve,
                   RunLog* log, std::string* error) {
  std::string name = path.empty() ? "<stdin>" : path;
  std::unique_ptr<FILE, FileCloser> opened;
  if (!path.empty()) {
    opened.reset(fopen(path.c_str(), "rb"));
    if (!opened) {
      *error = name + ": cannot open the log: " + strerror(errno);
      return false;
    }
    in = opened.get();
  }
  std::string what = NotALog(in, path.empty());
  if (!what.empty()) {
    *error = name + ": " + what;
    return false;
  }
  // The initial report precedes the moves, and the best so far starts with
  // it.
  auto addMove = [curve, log](const LogMove& move) {
    if (curve->moves() == 0 && log->hasInitialCost) {
      curve->SetInitialCost(log->initialCost);
    }
    curve->Add(move.cost, move.temperature);
  };
  LogError logError;
  if (!ReadRunLog(in, LongestLogLine(ExpressionLength(modules)), addMove, log,
                  &logError)) {
    *error = Located(name, logError.line) + ": " + logError.message;
    return false;
  }
  return true;
}
