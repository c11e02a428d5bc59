// Feeds arbitrary bytes to floorplan-report as a data file and a log: the
// bytes before the first line "----" are the data file, those after it the
// log. Without that line the whole input is the data file, and the log is
// made from it: the modules in file order under alternating cuts, with the
// cost the model gives, so that every data file reaches the placement.
//
// The placement's promises are checked as assertions: every module inside
// the box, no two overlapping, each with its own sides (or both exchanged
// when turned), and the box's area equal to the cost; and the same for the
// shapes two outlines make the cheapest, the box then exactly that shape.
// Then the whole report runs in-process on the same files, for every format
// and with outlines, with the picture written to /dev/null.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "anneal/log_format.h"
#include "anneal/log_reader.h"
#include "io/data_file.h"
#include "model/shape_cost.h"
#include "model/staircase.h"
#include "report/cost_curve.h"
#include "report/expression_match.h"
#include "report/placement.h"
#include "report/report.h"
#include "report/report_log.h"
#include "testing/captured_run.h"
#include "testing/memory_file.h"

namespace {

// The overlap check compares every pair.
constexpr size_t kLargestChecked = 400;

void Require(bool condition, const char* what) {
  if (!condition) {
    fprintf(stderr, "report_fuzzer: %s\n", what);
    abort();
  }
}

// A log of no moves whose final solution is the modules in file order.
std::string MadeUpLog(const std::vector<DataModule>& modules) {
  std::string expression;
  for (size_t k = 0; k < modules.size(); ++k) {
    expression += "<" + std::to_string(modules[k].identifier) + ">";
    if (k > 0) expression += k % 2 ? "V" : "H";
  }
  std::string cost = "0";
  ExpressionMatch match = MatchExpression(expression, modules, "data");
  if (match.floorplan) cost = AreaText(match.floorplan->Cost());
  return "Initial Cost: " + cost + "\n\n" + std::string(kStartMarker) +
         "\n\n\n" + std::string(kEndMarker) + "\n" +
         std::string(kFinalSolution) + "\n" + expression + "\n\n" +
         std::string(kFinalCost) + cost + "\n";
}

void CheckPlacement(const Placement& placement,
                    const std::vector<DataModule>& modules,
                    const std::vector<size_t>& dataIndex) {
  Require(placement.modules.size() == modules.size(), "a module missing");
  for (size_t k = 0; k < placement.modules.size(); ++k) {
    const PlacedModule& placed = placement.modules[k];
    const DataModule& module = modules[dataIndex[k]];
    bool asGiven =
        placed.width == module.width && placed.height == module.height;
    bool turned =
        placed.width == module.height && placed.height == module.width;
    Require(placed.rotated ? turned : asGiven, "sides not the module's own");
    Require(placed.x >= 0 && placed.y >= 0 &&
                placed.x + placed.width <= placement.width &&
                placed.y + placed.height <= placement.height,
            "a module outside the box");
  }
  if (placement.modules.size() > kLargestChecked) return;
  for (size_t a = 0; a < placement.modules.size(); ++a) {
    const PlacedModule& p = placement.modules[a];
    for (size_t b = 0; b < a; ++b) {
      const PlacedModule& q = placement.modules[b];
      Require(!(p.x < q.x + q.width && q.x < p.x + p.width &&
                p.y < q.y + q.height && q.y < p.y + p.height),
              "two modules overlap");
    }
  }
}

void RunWholeReport(const std::string& data, const std::string& log) {
  static const std::vector<std::vector<std::string>> kOptions = {
      {"-o", "/dev/null"},
      {"--format", "csv"},
      {"--format", "json", "-o", "/dev/null", "--title", "t"},
      {"--format", "pl", "--whitespace", "0.2"},
      {"-o", "/dev/null", "--outline", "7", "3"},
  };
  for (const std::vector<std::string>& options : kOptions) {
    std::vector<std::string> arguments = options;
    arguments.push_back(data);
    arguments.push_back(log);
    CapturedRun run = CaptureProgram(RunReport, "floorplan-report", arguments);
    Require(run.status == 0 || run.status == 1, "an unexpected exit status");
    Require((run.status == 0) == run.err.empty(),
            "a failure without a message");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static MemoryFile* dataFile = new MemoryFile();
  static MemoryFile* logFile = new MemoryFile();
  Require(dataFile->ok() && logFile->ok(), "no in-memory file");
  std::string_view input(reinterpret_cast<const char*>(bytes), size);
  size_t separator = input.find("\n----\n");
  Require(dataFile->Store(input.substr(0, separator)), "cannot store the data");

  std::vector<DataModule> modules;
  std::string error;
  if (!ReadDataFile(dataFile->path(), &modules, &error) ||
      !CheckIdentifiers(modules, "data", &error)) {
    return 0;
  }
  std::string log = separator == std::string_view::npos
                        ? MadeUpLog(modules)
                        : std::string(input.substr(separator + 6));
  Require(logFile->Store(log), "cannot store the log");

  RunLog run;
  CostCurve curve(64);
  if (ReadReportLog(logFile->path(), nullptr, modules, &curve, &run, &error)) {
    ExpressionMatch match =
        MatchExpression(run.finalExpression, modules, "data");
    if (match.floorplan) {
      Placement placement = PlaceFloorplan(*match.floorplan);
      Require(
          BoxArea(placement.width, placement.height) == match.floorplan->Cost(),
          "the box's area differs from the cost");
      CheckPlacement(placement, modules, match.dataIndex);
      StaircaseWorkspace work;
      EvaluateStaircase(match.floorplan->head, nullptr, &work);
      // The box turned, and one half as wide and twice as high.
      for (const Outline& outline :
           {Outline{placement.height, placement.width},
            Outline{placement.width / 2 + 1, 2 * placement.height}}) {
        FloorplanShape shape =
            ShapeCost(outline).Best(work.corners.data(), work.corners.size());
        Placement shaped = PlaceFloorplan(*match.floorplan, shape);
        Require(shaped.width == shape.width && shaped.height == shape.height,
                "the box is not the shape chosen");
        CheckPlacement(shaped, modules, match.dataIndex);
      }
    }
  }
  RunWholeReport(dataFile->path(), logFile->path());
  return 0;
}
