#include "report/report.h"

#include <unistd.h>

#include <string>
#include <vector>

#include "anneal/log_reader.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "io/data_file.h"
#include "io/output_file.h"
#include "model/area.h"
#include "model/shape_cost.h"
#include "model/staircase.h"
#include "report/cost_curve.h"
#include "report/expression_match.h"
#include "report/placement.h"
#include "report/placement_csv.h"
#include "report/placement_json.h"
#include "report/placement_pl.h"
#include "report/placement_text.h"
#include "report/report_arguments.h"
#include "report/report_log.h"
#include "report/report_placement.h"
#include "report/svg_picture.h"
#include "report/wirelength.h"

namespace {

// What standard output carries, unless the picture goes there.
std::string Document(const ReportArguments& arguments,
                     const ReportPlacement& placement) {
  switch (arguments.format) {
    case ReportFormat::kCsv:
      return PlacementCsv(placement);
    case ReportFormat::kJson:
      return PlacementJson(placement);
    case ReportFormat::kPl:
      return PlacementPl(placement);
    case ReportFormat::kTable:
      break;
  }
  return PlacementText(placement);
}

// Reads the data file, the outline and the log and places the log's final
// solution; false after complaining when any of it cannot be used.
bool PlaceFinalSolution(const ReportArguments& arguments, const ProgramIO& io,
                        CostCurve* curve, RunLog* log,
                        ReportPlacement* placement) {
  std::vector<DataModule> modules;
  std::string error;
  bool hasOutline = false;
  Outline outline;
  if (!ReadStrictDataFile(arguments.data, &modules, &error) ||
      !CheckIdentifiers(modules, arguments.data, &error) ||
      !ResolveOutline(arguments.outline, TotalModuleArea(modules), &hasOutline,
                      &outline, &error) ||
      !ReadReportLog(arguments.log, io.in, modules, curve, log, &error)) {
    io.Complain(error);
    return false;
  }
  std::string logName = arguments.log.empty() ? "<stdin>" : arguments.log;
  ExpressionMatch match =
      MatchExpression(log->finalExpression, modules, arguments.data);
  if (!match.floorplan) {
    io.Complain(logName + ":" + std::to_string(log->finalExpressionLine) +
                ": final solution: " + match.error);
    return false;
  }
  // A plain run logs the least area, a run against an outline its cost
  // there: with an outline, either is the final solution's.
  StaircaseWorkspace work;
  EvaluateStaircase(match.floorplan->head, nullptr, &work);
  const Corner* boxes = work.corners.data();
  size_t count = work.corners.size();
  Area area = LeastArea(boxes, count);
  ShapeCost cost = hasOutline ? ShapeCost(outline) : ShapeCost();
  Area outlineCost = cost.Of(boxes, count);
  if (area != log->finalCost &&
      (!hasOutline || outlineCost != log->finalCost)) {
    std::string against = hasOutline
                              ? ", and its cost against the outline " +
                                    std::to_string(outline.width) + " x " +
                                    std::to_string(outline.height) + " is " +
                                    AreaText(outlineCost)
                              : "";
    io.Complain(logName + ":" + std::to_string(log->finalCostLine) +
                ": the log gives cost " + AreaText(log->finalCost) +
                ", but the least area of the final solution over " +
                arguments.data + " is " + AreaText(area) + against +
                " (is this the log of a run on that file?)");
    return false;
  }
  Placement placed =
      hasOutline ? PlaceFloorplan(*match.floorplan, cost.Best(boxes, count))
                 : PlaceFloorplan(*match.floorplan);
  *placement = JoinPlacement(placed, modules, match.dataIndex);
  placement->hasOutline = hasOutline;
  placement->outline = outline;
  return true;
}

}  // namespace

int RunReport(int argc, const char* const* argv, const ProgramIO& io) {
  ReportArguments arguments;
  CommandLine commandLine;
  std::string error;
  if (!ParseReportArguments(argc, argv, &arguments, &commandLine, &error)) {
    return RefuseCommandLine(error, ReportUsage(), io);
  }
  int status = kExitSuccess;
  if (AnswerHelpOrVersion(commandLine, ReportUsage(), io, &status)) {
    return status;
  }
  if (arguments.log.empty() && isatty(fileno(io.in))) {
    return RefuseCommandLine(
        "no log: give LOGFILE, or pipe the output of floorplan in",
        ReportUsage(), io);
  }

  RunLog log;
  CostCurve curve(kCurveColumns);
  ReportPlacement placement;
  if (!PlaceFinalSolution(arguments, io, &curve, &log, &placement)) {
    return kExitFailure;
  }
  if (arguments.format == ReportFormat::kPl &&
      !CheckModuleNames(placement, arguments.data,
                        "--format pl names every module", &error)) {
    io.Complain(error);
    return kExitFailure;
  }
  if (!arguments.nets.empty()) {
    WirelengthFiles files{arguments.nets, arguments.terminals, arguments.data};
    placement.hasWirelength = true;
    if (!MeasureWirelength(files, placement, &placement.doubledWirelength,
                           &error)) {
      io.Complain(error);
      return kExitFailure;
    }
  }

  // Standard output first: a failed write, or a reader gone away (SIGPIPE),
  // then ends the run before any temporary picture file exists. The table's
  // line naming the picture waits until the picture is in place, so that a
  // picture refused or lost is never named.
  if (arguments.picture != "-" &&
      !io.WriteAll(Document(arguments, placement))) {
    return kExitFailure;
  }
  if (arguments.picture.empty()) return kExitSuccess;
  PictureInput picture;
  picture.title = arguments.title.empty() ? "Floorplan of " + arguments.data
                                          : arguments.title;
  picture.placement = &placement;
  picture.run.curve = &curve;
  picture.run.hasInitialCost = log.hasInitialCost;
  picture.run.initialCost = log.initialCost;
  picture.run.hasTemperature = log.verbose;
  picture.run.hasOutline = placement.hasOutline;
  picture.run.outline = placement.outline;
  // A log read from standard input may still be a file the picture must not
  // replace: /dev/stdin names it.
  std::string logFile = arguments.log.empty() ? "/dev/stdin" : arguments.log;
  OutputFile file(io.out);
  std::vector<std::string> inputs = {arguments.data, logFile, arguments.nets,
                                     arguments.terminals,
                                     arguments.outline.file};
  if (!file.Open(arguments.picture, inputs, &error) ||
      !file.Write(RenderSvg(picture), &error) || !file.Commit(&error)) {
    io.Complain(error);
    return kExitFailure;
  }
  bool named =
      arguments.format == ReportFormat::kTable && arguments.picture != "-";
  if (named && !io.WriteAll(PictureLine(arguments.picture))) {
    return kExitFailure;
  }
  return kExitSuccess;
}
