#include "report/report_arguments.h"

#include <vector>

#include "app/command_line.h"

const char* const kReportUsage =
    "usage: floorplan-report [--format table|csv|json] [-o FILE] [--title "
    "TEXT]\n"
    "                        DATAFILE [LOGFILE]\n"
    "Reads the log of a run of `floorplan DATAFILE` (from LOGFILE, or from\n"
    "standard input when LOGFILE is absent or -) and prints where every\n"
    "module of the final solution goes.\n"
    "  --format table  a table for reading, and a picture of the floorplan\n"
    "                  and of the run written to FILE (default: DATAFILE with\n"
    "                  the extension .svg); the default\n"
    "  --format csv    the placement as CSV; a picture only with -o\n"
    "  --format json   the placement and its summary as JSON; a picture only\n"
    "                  with -o\n"
    "  -o FILE         where the picture goes; - for standard output, in\n"
    "                  place of the table\n"
    "  --title TEXT    the picture's title (default: Floorplan of DATAFILE)\n"
    "  --help, --version\n"
    "Exit status: 0 done, 1 an input or output it cannot use, 2 a command\n"
    "line it cannot use.\n"
    "Example: floorplan examples/ami33.txt | floorplan-report "
    "examples/ami33.txt\n";

std::string DefaultPicture(const std::string& data) {
  size_t base = data.find_last_of('/');
  base = base == std::string::npos ? 0 : base + 1;
  size_t dot = data.find_last_of('.');
  std::string output = data;
  if (dot != std::string::npos && dot > base) output.resize(dot);
  output += ".svg";
  if (output == data) output += ".svg";
  return output;
}

bool ParseReportArguments(int argc, const char* const* argv,
                          ReportArguments* arguments, std::string* error) {
  CommandLine line;
  if (!ParseCommandLine(argc, argv,
                        {{"-o", "a file name"},
                         {"--format", "table, csv or json"},
                         {"--title", "a text"}},
                        &line, error)) {
    return false;
  }
  arguments->help = line.help;
  arguments->version = line.version;
  if (line.help || line.version) return true;
  for (const auto& [name, value] : line.options) {
    if (name == "-o") {
      if (value.empty()) {
        *error = "-o needs a file name";
        return false;
      }
      arguments->picture = value;
    } else if (name == "--format") {
      if (value == "table") {
        arguments->format = ReportFormat::kTable;
      } else if (value == "csv") {
        arguments->format = ReportFormat::kCsv;
      } else if (value == "json") {
        arguments->format = ReportFormat::kJson;
      } else {
        *error = "unknown format " + value + " (table, csv or json)";
        return false;
      }
    } else if (name == "--title") {
      arguments->title = value;
    }
  }
  const std::vector<std::string>& positional = line.operands;
  if (positional.empty() || positional.size() > 2) {
    *error = positional.empty() ? "no data file given" : "too many arguments";
    return false;
  }
  arguments->data = positional[0];
  if (positional.size() == 2 && positional[1] != "-") {
    arguments->log = positional[1];
  }
  bool table = arguments->format == ReportFormat::kTable;
  if (!line.Has("-o") && table) {
    arguments->picture = DefaultPicture(arguments->data);
  }
  if (!table && arguments->picture == "-") {
    *error =
        "-o - and --format csv or json would both write to standard "
        "output";
    return false;
  }
  return true;
}
