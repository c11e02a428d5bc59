#include "io/data_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "io/file_closer.h"
#include "io/input_format.h"
#include "io/line_reader.h"
#include "io/module_line.h"
#include "io/number_text.h"

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

// Whether `line` is blank or a module line of the strict form.
bool IsStrictModuleLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::string_view words[5];
  size_t count = 0;
  size_t at = 0;
  while (at < line.size()) {
    if (line[at] == ' ' || line[at] == '\t') {
      ++at;
      continue;
    }
    size_t end = line.find_first_of(" \t", at);
    if (end == std::string_view::npos) end = line.size();
    if (count == 5) return false;
    words[count++] = line.substr(at, end - at);
    at = end;
  }
  if (count == 0) return true;
  if (count < 3 || count > 4) return false;
  std::string_view identifier = words[0];
  if (!identifier.empty() && identifier[0] == 'M') identifier.remove_prefix(1);
  uint64_t value = 0;
  uint64_t width = 0;
  uint64_t height = 0;
  return ParseWholeNumber(identifier, INT32_MAX, &value) &&
         ParseWholeNumber(words[1], 65535, &width) && width > 0 &&
         ParseWholeNumber(words[2], 65535, &height) && height > 0;
}

// No module line the converter writes comes near this length; a longer line
// is refused as soon as it is seen, so that /dev/zero cannot fill memory.
constexpr size_t kLongestModuleLine = 4096;

// Reads all of `file` into `text`, checking each line as it arrives. False,
// with the number of the first line that is neither blank nor a strict
// module line, when there is one; `readError` is the errno of a failed read
// (0 if none).
bool ReadModuleLines(FILE* file, std::string* text, uint64_t* line,
                     int* readError) {
  *line = 1;
  *readError = 0;
  size_t lineStart = 0;
  char buffer[65536];
  for (;;) {
    size_t got = fread(buffer, 1, sizeof buffer, file);
    if (got == 0) {
      if (ferror(file)) *readError = errno;
      break;
    }
    text->append(buffer, got);
    for (size_t end = text->find('\n', lineStart); end != std::string::npos;
         end = text->find('\n', lineStart)) {
      std::string_view whole(*text);
      if (!IsStrictModuleLine(whole.substr(lineStart, end - lineStart))) {
        return false;
      }
      lineStart = end + 1;
      ++*line;
    }
    if (text->size() - lineStart > kLongestModuleLine) return false;
  }
  return *readError != 0 ||
         IsStrictModuleLine(std::string_view(*text).substr(lineStart));
}

}  // namespace

namespace {

// The modules of a data file open as `file`, as floorplan reads them;
// `path` names it in the messages.
bool ReadDataStream(FILE* file, const std::string& path,
                    std::vector<DataModule>* modules, std::string* error) {
  modules->clear();
  NumberedPieces pieces(file);
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

}  // namespace

bool ReadDataFile(const std::string& path, std::vector<DataModule>* modules,
                  std::string* error) {
  modules->clear();
  std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "rb"));
  if (!file) {
    *error = path + ": cannot open the data file: " + strerror(errno);
    return false;
  }
  return ReadDataStream(file.get(), path, modules, error);
}

bool ReadStrictDataFile(const std::string& path,
                        std::vector<DataModule>* modules, std::string* error) {
  std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "rb"));
  if (!file) return ReadDataFile(path, modules, error);  // it tells why
  std::string text;
  uint64_t line = 0;
  int readError = 0;
  if (!ReadModuleLines(file.get(), &text, &line, &readError)) {
    InputFormat format;
    InputError notFound;
    if (DetectInputFormat(text, &format, &notFound)) {
      *error = path + ":" + std::to_string(line) + ": " + FormatName(format) +
               ", not a data file: convert it with floorplan-convert";
    } else {
      *error = path + ":" + std::to_string(line) +
               ": not a module line (an identifier, two sides from 1 to "
               "65535 and at most a name)";
    }
    return false;
  }
  if (readError != 0) {
    *error = path + ": cannot read the data file: " + strerror(readError);
    return false;
  }
  // The file is read once, so that a pipe will do: floorplan's own reading
  // then takes the text from memory.
  std::unique_ptr<FILE, FileCloser> memory(
      text.empty() ? nullptr : fmemopen(text.data(), text.size(), "rb"));
  return ReadDataStream(memory ? memory.get() : file.get(), path, modules,
                        error);
}

Area TotalModuleArea(const std::vector<DataModule>& modules) {
  Area total = 0;
  for (const DataModule& module : modules) {
    total += BoxArea(module.width, module.height);
  }
  return total;
}
