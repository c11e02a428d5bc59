// Feeds arbitrary bytes to floorplan-convert as its input file. Whatever the
// bytes, the command either refuses them with exactly one message and writes
// nothing, or writes a data file that the program's own reader takes back
// whole: identifiers 1..N in order, sides 1..65535, the names, N >= 2; and
// then says nothing on standard error but, for a course block file, its
// outline.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "convert/convert.h"
#include "io/data_file.h"
#include "testing/memory_file.h"
#include "testing/captured_run.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    fprintf(stderr, "convert_fuzzer: %s\n", what);
    abort();
  }
}

size_t CountLines(const std::string& text) {
  size_t lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

// "W H\n" with W and H positive whole numbers.
bool IsOutline(const std::string& text) {
  size_t space = text.find(' ');
  if (space == std::string::npos || text.empty() || text.back() != '\n') {
    return false;
  }
  for (const std::string& number :
       {text.substr(0, space),
        text.substr(space + 1, text.size() - space - 2)}) {
    if (number.empty() || number[0] == '0' ||
        number.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile* input = new MemoryFile();
  static MemoryFile* converted = new MemoryFile();
  Require(input->ok() && converted->ok(), "no in-memory file");
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Require(input->Store(bytes), "cannot store the input");

  CapturedRun run =
      CaptureProgram(RunConvert, "floorplan-convert", {input->path()});
  int status = run.status;
  const std::string& written = run.out;
  const std::string& message = run.err;

  if (status != 0) {
    Require(status == 1, "a refusal is not status 1");
    Require(written.empty(), "a refusal wrote output");
    Require(message.rfind("floorplan-convert: ", 0) == 0 &&
                CountLines(message) == 1 && message.back() == '\n',
            "a refusal is not one message");
    return 0;
  }
  // Only a course block file's outline may be said: two positive numbers.
  std::string outline = "floorplan-convert: " + input->path() + ": outline ";
  Require(message.empty() || (message.rfind(outline, 0) == 0 &&
                              IsOutline(message.substr(outline.size()))),
          "a conversion wrote to standard error other than an outline");
  Require(converted->Store(written), "cannot store the conversion");
  std::vector<DataModule> modules;
  std::string error;
  Require(ReadDataFile(converted->path(), &modules, &error),
          "the reader refuses the converted file");
  Require(modules.size() >= 2, "fewer than two blocks converted");
  Require(modules.size() == CountLines(written), "a line the reader skipped");
  for (size_t k = 0; k < modules.size(); ++k) {
    const DataModule& module = modules[k];
    Require(module.identifier == static_cast<int32_t>(k + 1),
            "identifiers are not 1..N in order");
    Require(module.width > 0 && module.height > 0, "a side of 0");
    Require(!module.name.empty(), "a block without its name");
  }
  return 0;
}
