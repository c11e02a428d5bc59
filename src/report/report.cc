#include "report/report.h"

#include <unistd.h>

#include <string>
#include <vector>

#include "anneal/log_reader.h"
#include "app/exit_status.h"
#include "app/version.h"
#include "io/data_file.h"
#include "io/output_file.h"
#include "model/area.h"
#include "report/cost_curve.h"
#include "report/expression_match.h"
#include "report/placement.h"
#include "report/placement_csv.h"
#include "report/placement_json.h"
#include "report/placement_table.h"
#include "report/placement_text.h"
#include "report/report_arguments.h"
#include "report/report_log.h"
#include "report/svg_picture.h"

namespace {

constexpr const char* kProgram = "floorplan-report";

// Standard error is where a failure is told; if it cannot be written there
// is nobody left to tell, and the exit status still says it.
void Complain(FILE* err, const std::string& message) {
  fprintf(err, "%s: %s\n", kProgram, message.c_str());
  fflush(err);
}

std::string Shown(const std::string& path) {
  return path == "-" ? "standard output" : path;
}

// Writes `text` to `out` and flushes it; false after telling why.
bool WriteOut(FILE* out, const std::string& text, FILE* err) {
  std::string reason;
  if (!WriteStream(out, text, &reason) || !FlushStream(out, &reason)) {
    Complain(err, "standard output: " + reason);
    return false;
  }
  return true;
}

PictureInput MakePicture(const ReportArguments& arguments,
                         const Placement& placement,
                         const PlacementTable& table,
                         const std::vector<DataModule>& modules,
                         const std::vector<size_t>& dataIndex,
                         const CostCurve& curve, const RunLog& log) {
  PictureInput picture;
  picture.title = arguments.title.empty() ? "Floorplan of " + arguments.data
                                          : arguments.title;
  picture.deadSpacePercent = table.summary.deadSpacePercent;
  picture.floorplan.placement = &placement;
  picture.run.curve = &curve;
  picture.run.hasInitialCost = log.hasInitialCost;
  picture.run.initialCost = log.initialCost;
  picture.run.hasTemperature = log.verbose;
  for (size_t k = 0; k < placement.modules.size(); ++k) {
    const PlacedModule& placed = placement.modules[k];
    const DataModule& module = modules[dataIndex[k]];
    std::string identifier = std::to_string(module.identifier);
    picture.floorplan.labels.push_back(module.name.empty() ? identifier
                                                           : module.name);
    picture.floorplan.notes.push_back(
        "module " + identifier +
        (module.name.empty() ? std::string() : " (" + module.name + ")") +
        " at (" + std::to_string(placed.x) + ", " + std::to_string(placed.y) +
        "), " + std::to_string(placed.width) + " x " +
        std::to_string(placed.height) + (placed.rotated ? ", turned" : ""));
  }
  return picture;
}

// What standard output carries, unless the picture goes there.
std::string Document(const ReportArguments& arguments,
                     const PlacementTable& table) {
  switch (arguments.format) {
    case ReportFormat::kCsv:
      return PlacementCsv(table);
    case ReportFormat::kJson:
      return PlacementJson(table);
    case ReportFormat::kTable:
      break;
  }
  return PlacementText(table, arguments.picture);
}

}  // namespace

int RunReport(int argc, const char* const* argv, const ReportStreams& streams) {
  ReportArguments arguments;
  std::string error;
  if (!ParseReportArguments(argc, argv, &arguments, &error)) {
    Complain(streams.err, error);
    fputs(kReportUsage, streams.err);
    fflush(streams.err);
    return kExitUsage;
  }
  if (arguments.help || arguments.version) {
    std::string text =
        arguments.help ? std::string(kReportUsage)
                       : std::string(kProgram) + " " + kFloorplanVersion + "\n";
    return WriteOut(streams.out, text, streams.err) ? kExitSuccess
                                                    : kExitFailure;
  }
  if (arguments.log.empty() && isatty(fileno(streams.in))) {
    Complain(streams.err,
             "no log: give LOGFILE, or pipe the output of floorplan in");
    fputs(kReportUsage, streams.err);
    fflush(streams.err);
    return kExitUsage;
  }

  std::vector<DataModule> modules;
  if (!ReadDataFile(arguments.data, &modules, &error) ||
      !CheckIdentifiers(modules, arguments.data, &error)) {
    Complain(streams.err, error);
    return kExitFailure;
  }
  RunLog log;
  CostCurve curve(kCurveColumns);
  if (!ReadReportLog(arguments.log, streams.in, modules, &curve, &log,
                     &error)) {
    Complain(streams.err, error);
    return kExitFailure;
  }
  std::string logName = arguments.log.empty() ? "<stdin>" : arguments.log;
  ExpressionMatch match =
      MatchExpression(log.finalExpression, modules, arguments.data);
  if (!match.floorplan) {
    Complain(streams.err, logName + ":" +
                              std::to_string(log.finalExpressionLine) +
                              ": final solution: " + match.error);
    return kExitFailure;
  }
  Placement placement = PlaceFloorplan(*match.floorplan);
  if (placement.area != log.finalCost) {
    Complain(streams.err,
             logName + ":" + std::to_string(log.finalCostLine) +
                 ": the log gives cost " + AreaText(log.finalCost) +
                 ", but the least area of the final solution over " +
                 arguments.data + " is " + AreaText(placement.area) +
                 " (is this the log of a run on that file?)");
    return kExitFailure;
  }
  Area drawn = BoxArea(placement.width, placement.height);
  if (drawn != placement.area) {
    Complain(streams.err, "internal error: the placement's area " +
                              AreaText(drawn) + " differs from the cost " +
                              AreaText(placement.area));
    return kExitFailure;
  }
  PlacementTable table = TabulatePlacement(placement, modules, match.dataIndex);

  // Standard output first: a failed write, or a reader gone away (SIGPIPE),
  // then ends the run before any temporary picture file exists.
  if (arguments.picture != "-" &&
      !WriteOut(streams.out, Document(arguments, table), streams.err)) {
    return kExitFailure;
  }
  if (arguments.picture.empty()) return kExitSuccess;
  std::string svg = RenderSvg(MakePicture(arguments, placement, table, modules,
                                          match.dataIndex, curve, log));
  // A log read from standard input may still be a file the picture must not
  // replace: /dev/stdin names it.
  std::string logFile = arguments.log.empty() ? "/dev/stdin" : arguments.log;
  OutputFile picture(streams.out);
  std::string reason;
  if (!picture.Open(arguments.picture, {arguments.data, logFile}, &reason) ||
      !WriteStream(picture.stream(), svg, &reason) ||
      !picture.Commit(&reason)) {
    Complain(streams.err, Shown(arguments.picture) + ": " + reason);
    return kExitFailure;
  }
  return kExitSuccess;
}
