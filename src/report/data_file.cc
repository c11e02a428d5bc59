#include "report/data_file.h"

#include <cstdio>
#include <map>
#include <memory>

#include "io/line_reader.h"
#include "io/module_line.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};

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
    *error = path + ": cannot open the data file";
    return false;
  }
  NumberedPieces pieces(file.get());
  std::string piece;
  uint64_t line = 0;
  for (int first = 0; first < 2; ++first) {
    bool read = pieces.Next(&piece, &line);
    ModuleLine parsed;
    if (read) parsed = ParseModuleLine(piece);
    if (!parsed.complete) {
      *error = path + ":" + std::to_string(read ? line : line + 1) +
               ": not a module line (identifier, width and height), and "
               "floorplan needs its first two lines to be";
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

  std::map<int32_t, const DataModule*> firstWithIdentifier;
  for (const DataModule& module : *modules) {
    auto [at, inserted] =
        firstWithIdentifier.emplace(module.identifier, &module);
    const DataModule& earlier = *at->second;
    if (inserted) continue;
    if (earlier.width == module.width && earlier.height == module.height) {
      continue;
    }
    *error = path + ":" + std::to_string(module.line) + ": identifier " +
             std::to_string(module.identifier) +
             " is given to modules of different sizes (lines " +
             std::to_string(earlier.line) + " and " +
             std::to_string(module.line) +
             "), so an expression cannot tell them apart";
    return false;
  }
  return true;
}
