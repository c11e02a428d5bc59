#include "io/data_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "io/file_closer.h"
#include "io/line_reader.h"
#include "io/module_line.h"

namespace {

// A line longer than a piece arrives in several pieces, all on one line.
class NumberedPieces {
 public:
  explicit NumberedPieces(FILE* file) : reader_(file) {}

  bool Next(std::string* piece, uint64_t* line) {
    if (!reader_.ReadPiece(piece)) return false;
    *line = nextLine_;
    if (piece->back() == '\n') ++nextLine_;
    return true;
  }
  int error() const { return reader_.error(); }

 private:
  LineReader reader_;
  uint64_t nextLine_ = 1;
};

DataModule ModuleOf(const ModuleLine& parsed, uint64_t line) {
  DataModule module;
  module.identifier = parsed.identifier;
  module.width = parsed.width;
  module.height = parsed.height;
  module.name = std::string(parsed.name);
  module.line = line;
  return module;
}

}  // namespace

bool ReadDataFile(const std::string& path, std::vector<DataModule>* modules,
                  std::string* error) {
  modules->clear();
  std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "rb"));
  if (!file) {
    *error = path + ": cannot open the data file: " + strerror(errno);
    return false;
  }
  NumberedPieces pieces(file.get());
  std::string piece;
  uint64_t line = 0;
  for (int first = 0; first < 2; ++first) {
    bool read = pieces.Next(&piece, &line);
    if (!read && pieces.error() != 0) {
      *error =
          path + ": cannot read the data file: " + strerror(pieces.error());
      return false;
    }
    ModuleLine parsed;
    if (read) parsed = ParseModuleLine(piece);
    if (!parsed.complete) {
      *error = path + ":" + std::to_string(read ? line : line + 1) +
               ": not a module line (identifier, width and height); the "
               "first two lines of a data file must be module lines";
      return false;
    }
    modules->push_back(ModuleOf(parsed, line));
  }
  while (pieces.Next(&piece, &line)) {
    ModuleLine parsed = ParseModuleLine(piece);
    if (!parsed.hasIdentifier) continue;
    if (!parsed.complete) break;
    modules->push_back(ModuleOf(parsed, line));
  }
  return true;
}

Area TotalModuleArea(const std::vector<DataModule>& modules) {
  Area total = 0;
  for (const DataModule& module : modules) {
    total += BoxArea(module.width, module.height);
  }
  return total;
}
