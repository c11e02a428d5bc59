#include "report/report.h"

#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "anneal/log_format.h"
#include "anneal/log_reader.h"
#include "app/exit_status.h"
#include "io/data_file.h"
#include "io/file_closer.h"
#include "model/area.h"
#include "model/floorplan.h"
#include "report/cost_curve.h"
#include "report/expression_match.h"
#include "report/placement.h"
#include "report/svg_picture.h"

namespace {

constexpr const char* kProgram = "floorplan-report";

constexpr const char* kUsage =
    "usage: floorplan-report [-o FILE] DATAFILE [LOGFILE]\n"
    "Reads the log of a run of `floorplan DATAFILE` (from LOGFILE, or from\n"
    "standard input when LOGFILE is absent or -), prints where every module\n"
    "of the final solution goes, and writes a picture of the floorplan and\n"
    "of the run to FILE (default: DATAFILE with the extension .svg).\n"
    "Example: floorplan examples/ami33.txt | floorplan-report "
    "examples/ami33.txt\n";

// The command line, understood. `output` is always set.
struct Arguments {
  std::string data;
  std::string log;  // empty: standard input
  std::string output;
  bool help = false;
};

// The data file's name with its extension, if any, replaced by ".svg".
std::string DefaultOutput(const std::string& data) {
  size_t base = data.find_last_of('/');
  base = base == std::string::npos ? 0 : base + 1;
  size_t dot = data.find_last_of('.');
  std::string output = data;
  if (dot != std::string::npos && dot > base) output.resize(dot);
  output += ".svg";
  if (output == data) output += ".svg";
  return output;
}

bool ParseArguments(int argc, const char* const* argv, Arguments* arguments,
                    std::string* error) {
  std::vector<std::string> positional;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (options && argument == "--") {
      options = false;
    } else if (options && (argument == "-h" || argument == "--help")) {
      arguments->help = true;
      return true;
    } else if (options && argument == "-o") {
      if (i + 1 == argc) {
        *error = "-o needs a file name";
        return false;
      }
      arguments->output = argv[++i];
      if (arguments->output.empty()) {
        *error = "-o needs a file name";
        return false;
      }
    } else if (options && argument.size() > 1 && argument[0] == '-') {
      *error = "unknown option " + argument;
      return false;
    } else {
      positional.push_back(argument);
    }
  }
  if (positional.empty() || positional.size() > 2) {
    *error = positional.empty() ? "no data file given" : "too many arguments";
    return false;
  }
  arguments->data = positional[0];
  if (positional.size() == 2 && positional[1] != "-") {
    arguments->log = positional[1];
  }
  if (arguments->output.empty()) {
    arguments->output = DefaultOutput(arguments->data);
  }
  if (arguments->output == arguments->data ||
      arguments->output == arguments->log) {
    *error = "the picture would overwrite an input: " + arguments->output;
    return false;
  }
  return true;
}

void Complain(FILE* err, const std::string& message) {
  fprintf(err, "%s: %s\n", kProgram, message.c_str());
}

std::string Located(const std::string& file, uint64_t line) {
  return line == 0 ? file : file + ":" + std::to_string(line);
}

// The length of the expression of the data file's modules: the longest a
// final solution over them can be.
size_t ExpressionLength(const std::vector<DataModule>& modules) {
  size_t length = modules.empty() ? 0 : modules.size() - 1;  // the cuts
  for (const DataModule& module : modules) {
    length += 2 + std::to_string(module.identifier).size();
  }
  return length;
}

// Writes `text` whole to `path`, through `path`.tmp renamed at the end, so
// that a reader never sees a partial file and a failure leaves none.
bool WriteWhole(const std::string& path, const std::string& text,
                std::string* error) {
  std::string temporary = path + ".tmp";
  FILE* file = fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    *error = temporary + ": cannot create the picture";
    return false;
  }
  bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  written = fflush(file) == 0 && written;
  written = fclose(file) == 0 && written;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    remove(temporary.c_str());
    *error = path + ": cannot write the picture";
    return false;
  }
  return true;
}

// One line per module in data-file order, then the summary.
void WriteTable(FILE* out, const Placement& placement,
                const std::vector<DataModule>& modules,
                const std::vector<size_t>& dataIndex,
                const std::string& picture) {
  std::vector<size_t> placedIndex(modules.size());
  for (size_t k = 0; k < dataIndex.size(); ++k) placedIndex[dataIndex[k]] = k;
  bool withNames = std::any_of(
      modules.begin(), modules.end(),
      [](const DataModule& module) { return !module.name.empty(); });

  const char* headers[6] = {"module", "x", "y", "width", "height", "rotated"};
  std::vector<std::vector<std::string>> rows;
  rows.reserve(modules.size());
  size_t widths[6];
  for (int column = 0; column < 6; ++column) {
    widths[column] = std::string(headers[column]).size();
  }
  for (size_t index = 0; index < modules.size(); ++index) {
    const PlacedModule& placed = placement.modules[placedIndex[index]];
    std::vector<std::string> row{std::to_string(modules[index].identifier),
                                 std::to_string(placed.x),
                                 std::to_string(placed.y),
                                 std::to_string(placed.width),
                                 std::to_string(placed.height),
                                 placed.rotated ? "1" : "0"};
    for (int column = 0; column < 6; ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
    rows.push_back(std::move(row));
  }

  auto writeRow = [&](const std::string* cells, const std::string& name) {
    std::string line;
    for (int column = 0; column < 6; ++column) {
      if (column > 0) line += "  ";
      const std::string& cell = cells[column];
      if (column == 0) {
        line += cell + std::string(widths[column] - cell.size(), ' ');
      } else {
        line += std::string(widths[column] - cell.size(), ' ') + cell;
      }
    }
    if (withNames) line += "  " + name;
    line += '\n';
    fwrite(line.data(), 1, line.size(), out);
  };
  std::string headerCells[6];
  for (int column = 0; column < 6; ++column)
    headerCells[column] = headers[column];
  writeRow(headerCells, "name");
  for (size_t index = 0; index < rows.size(); ++index) {
    writeRow(rows[index].data(), modules[index].name);
  }

  Area moduleArea = 0;
  for (const PlacedModule& module : placement.modules) {
    moduleArea += BoxArea(module.width, module.height);
  }
  fprintf(out, "\nbounding width   %" PRId64 "\n", placement.width);
  fprintf(out, "bounding height  %" PRId64 "\n", placement.height);
  fprintf(out, "area             %s\n", AreaText(placement.area).c_str());
  fprintf(out, "module area      %s\n", AreaText(moduleArea).c_str());
  fprintf(out, "dead space       %.2f%%\n",
          DeadSpacePercent(placement.area, moduleArea));
  if (placement.height > 0) {
    fprintf(out, "aspect ratio     %.3f (width / height)\n",
            static_cast<double>(placement.width) /
                static_cast<double>(placement.height));
  } else {
    fprintf(out, "aspect ratio     undefined (height 0)\n");
  }
  fprintf(out, "picture          %s\n", picture.c_str());
}

}  // namespace

int RunReport(int argc, const char* const* argv, const ReportStreams& streams) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, &arguments, &error)) {
    Complain(streams.err, error);
    fputs(kUsage, streams.err);
    return kExitUsage;
  }
  if (arguments.help) {
    fputs(kUsage, streams.out);
    return kExitSuccess;
  }
  if (arguments.log.empty() && isatty(fileno(streams.in))) {
    Complain(streams.err,
             "no log: give LOGFILE, or pipe the output of floorplan in");
    fputs(kUsage, streams.err);
    return kExitUsage;
  }

  std::vector<DataModule> modules;
  if (!ReadDataFile(arguments.data, &modules, &error) ||
      !CheckIdentifiers(modules, arguments.data, &error)) {
    Complain(streams.err, error);
    return kExitFailure;
  }

  std::string logName = arguments.log.empty() ? "<stdin>" : arguments.log;
  RunLog log;
  CostCurve curve(kCurveColumns);
  // The initial report precedes the moves, and the best so far starts
  // with it.
  auto addMove = [&curve, &log](const LogMove& move) {
    if (curve.moves() == 0 && log.hasInitialCost) {
      curve.SetInitialCost(log.initialCost);
    }
    curve.Add(move.cost, move.temperature);
  };
  size_t longestLine = LongestLogLine(ExpressionLength(modules));
  LogError logError;
  bool logRead;
  if (arguments.log.empty()) {
    logRead = ReadRunLog(streams.in, longestLine, addMove, &log, &logError);
  } else {
    std::unique_ptr<FILE, FileCloser> file(fopen(arguments.log.c_str(), "rb"));
    if (!file) {
      Complain(streams.err, logName + ": cannot open the log");
      return kExitFailure;
    }
    logRead = ReadRunLog(file.get(), longestLine, addMove, &log, &logError);
  }
  if (!logRead) {
    Complain(streams.err,
             Located(logName, logError.line) + ": " + logError.message);
    return kExitFailure;
  }

  ExpressionMatch match =
      MatchExpression(log.finalExpression, modules, arguments.data);
  if (!match.floorplan) {
    Complain(streams.err, Located(logName, log.finalExpressionLine) +
                              ": final solution: " + match.error);
    return kExitFailure;
  }
  Placement placement = PlaceFloorplan(*match.floorplan);
  if (placement.area != log.finalCost) {
    Complain(streams.err,
             Located(logName, log.finalCostLine) + ": the log gives cost " +
                 AreaText(log.finalCost) +
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

  PictureInput picture;
  picture.title = arguments.data;
  picture.placement = &placement;
  picture.curve = &curve;
  picture.hasInitialCost = log.hasInitialCost;
  picture.initialCost = log.initialCost;
  picture.hasTemperature = log.verbose;
  for (size_t k = 0; k < placement.modules.size(); ++k) {
    const PlacedModule& placed = placement.modules[k];
    const DataModule& module = modules[match.dataIndex[k]];
    std::string identifier = std::to_string(module.identifier);
    picture.labels.push_back(module.name.empty() ? identifier : module.name);
    picture.notes.push_back(
        "module " + identifier +
        (module.name.empty() ? std::string() : " (" + module.name + ")") +
        " at (" + std::to_string(placed.x) + ", " + std::to_string(placed.y) +
        "), " + std::to_string(placed.width) + " x " +
        std::to_string(placed.height) + (placed.rotated ? ", turned" : ""));
  }
  if (!WriteWhole(arguments.output, RenderSvg(picture), &error)) {
    Complain(streams.err, error);
    return kExitFailure;
  }

  WriteTable(streams.out, placement, modules, match.dataIndex,
             arguments.output);
  return kExitSuccess;
}
