// Feeds arbitrary bytes to the readers of the suites' nets and placement
// files, and to floorplan-report as its nets file and as its terminals file
// for a fixed two-module floorplan.
//
// Checked as assertions: every pin the nets reader hands over is a word of
// the input on the line it names, in file order, in a net already begun; a
// placement file the reader accepts, written back as the report writes one
// (the header, then "NAME X Y" lines), reads back the same; and the report
// either succeeds silently or fails with one message, never with another
// status.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "io/net_file.h"
#include "io/pl_file.h"
#include "report/report.h"
#include "testing/captured_run.h"
#include "testing/memory_file.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    fprintf(stderr, "nets_fuzzer: %s\n", what);
    abort();
  }
}

void CheckNets(std::string_view text) {
  // The line of the byte at `counted`, counted on as the pins move on.
  size_t counted = 0;
  uint64_t line = 1;
  uint64_t lastLine = 0;
  uint64_t lastNet = 0;
  bool any = false;
  // The "NetDegree" words before the pin: an upper bound on its net.
  size_t netsSearched = 0;
  uint64_t netsBegun = 0;
  InputError error;
  ReadNetFile(
      text,
      [&](const NetPin& pin, InputError*) {
        Require(!pin.name.empty(), "an empty pin name");
        Require(
            pin.name.data() >= text.data() &&
                pin.name.data() + pin.name.size() <= text.data() + text.size(),
            "a pin name outside the text");
        // Words are separated by spaces and tabs only: a carriage return
        // but the one ending a line is a byte of a name.
        Require(pin.name.find_first_of(" \t\n") == std::string_view::npos,
                "a pin name with a blank");
        size_t at = static_cast<size_t>(pin.name.data() - text.data());
        Require(at >= counted, "pins out of order");
        for (; counted < at; ++counted) line += text[counted] == '\n';
        Require(line == pin.line, "a pin on another line than it says");
        // Nets of degree 0 hold no pins, so a pin's net may be further on
        // than the last pin's, but never beyond the nets begun before it.
        for (size_t found = text.find("NetDegree", netsSearched);
             found != std::string_view::npos && found < at;
             found = text.find("NetDegree", netsSearched)) {
          ++netsBegun;
          netsSearched = found + 1;
        }
        Require(pin.net < netsBegun, "a pin in a net not begun");
        Require(!any || (pin.line > lastLine && pin.net >= lastNet),
                "pins out of order");
        any = true;
        lastLine = pin.line;
        lastNet = pin.net;
        return true;
      },
      &error);
}

void CheckPlacementFile(std::string_view text) {
  std::vector<PlFileEntry> entries;
  InputError error;
  if (!ReadPlFile(text, &entries, &error)) return;
  // After the header, as the report writes it: what precedes a file's
  // first word is skipped, so a first name beginning with a carriage
  // return would not come back whole without it.
  std::string written = std::string(kPlFileHeader) + "\n";
  for (const PlFileEntry& entry : entries) {
    written += entry.name + " " + std::to_string(entry.x) + " " +
               std::to_string(entry.y) + "\n";
  }
  std::vector<PlFileEntry> again;
  Require(ReadPlFile(written, &again, &error), "a placement not read back");
  Require(again.size() == entries.size(), "a placement read back changed");
  for (size_t k = 0; k < entries.size(); ++k) {
    Require(again[k].name == entries[k].name && again[k].x == entries[k].x &&
                again[k].y == entries[k].y,
            "a placement read back changed");
  }
}

void RunWholeReport(const std::vector<std::string>& arguments) {
  CapturedRun run = CaptureProgram(RunReport, "floorplan-report", arguments);
  Require(run.status == 0 || run.status == 1, "an unexpected exit status");
  Require((run.status == 0) == run.err.empty(), "a failure without a message");
  Require(run.status == 0 || run.out.empty(), "output despite a failure");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static MemoryFile* data = new MemoryFile("1 2 4 a\n2 3 2 P\n");
  static MemoryFile* log = new MemoryFile(
      "Initial Cost: 14\n\n***Start of Simulated Annealing***\n\n\n"
      "***End of Simulated Annealing***\nFinal solution:\n<1><2>V\n\n"
      "Cost: 14\n");
  static MemoryFile* nets =
      new MemoryFile("NumNets : 1\nNetDegree : 3\na\nP\nQ\n");
  static MemoryFile* input = new MemoryFile();
  std::string_view text(reinterpret_cast<const char*>(bytes), size);
  Require(input->Store(text), "cannot store the input");
  CheckNets(text);
  CheckPlacementFile(text);
  RunWholeReport(
      {"--format", "csv", "--nets", input->path(), data->path(), log->path()});
  RunWholeReport({"--format", "json", "--nets", nets->path(), "--terminals",
                  input->path(), data->path(), log->path()});
  return 0;
}
