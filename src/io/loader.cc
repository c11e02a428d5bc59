#include "io/loader.h"

#include <cstdio>
#include <string>

#include "io/line_reader.h"
#include "io/module_line.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};

bool ReadModuleLine(LineReader* reader, std::string* piece, ModuleLine* line) {
  if (!reader->ReadPiece(piece)) return false;
  *line = ParseModuleLine(*piece);
  return line->complete;
}

}  // namespace

std::unique_ptr<Floorplan> LoadFloorplan(const char* path) {
  std::unique_ptr<FILE, FileCloser> file(fopen(path, "rb"));
  if (!file) return nullptr;
  LineReader reader(file.get());
  std::string piece;
  ModuleLine first;
  ModuleLine second;
  if (!ReadModuleLine(&reader, &piece, &first)) return nullptr;
  if (!ReadModuleLine(&reader, &piece, &second)) return nullptr;
  std::unique_ptr<Floorplan> floorplan(
      new Floorplan(first.identifier, first.width, first.height,
                    second.identifier, second.width, second.height));
  while (reader.ReadPiece(&piece)) {
    ModuleLine line = ParseModuleLine(piece);
    if (!line.hasIdentifier) continue;
    if (!line.complete) break;
    floorplan->AddModule(line.identifier, line.width, line.height);
  }
  return floorplan;
}
