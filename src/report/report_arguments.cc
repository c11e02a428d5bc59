#include "report/report_arguments.h"

#include <vector>

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

namespace {

// "--name VALUE" or "--name=VALUE" at argv[*i]; advances *i past a separate
// value. False when `argument` is not this option.
bool OptionValue(const std::string& argument, const std::string& name, int argc,
                 const char* const* argv, int* i, std::string* value,
                 bool* missing) {
  if (argument == name) {
    *missing = *i + 1 == argc;
    if (!*missing) *value = argv[++*i];
    return true;
  }
  if (name.size() > 2 &&
      argument.compare(0, name.size() + 1, name + "=") == 0) {
    *value = argument.substr(name.size() + 1);
    *missing = false;
    return true;
  }
  return false;
}

}  // namespace

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
  std::vector<std::string> positional;
  bool options = true;
  bool pictureGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    std::string value;
    bool missing = false;
    if (!options || argument.size() < 2 || argument[0] != '-') {
      positional.push_back(argument);
    } else if (argument == "--") {
      options = false;
    } else if (argument == "-h" || argument == "--help") {
      arguments->help = true;
      return true;
    } else if (argument == "--version") {
      arguments->version = true;
      return true;
    } else if (OptionValue(argument, "-o", argc, argv, &i, &value, &missing)) {
      if (missing || value.empty()) {
        *error = "-o needs a file name";
        return false;
      }
      arguments->picture = value;
      pictureGiven = true;
    } else if (OptionValue(argument, "--format", argc, argv, &i, &value,
                           &missing)) {
      if (value == "table") {
        arguments->format = ReportFormat::kTable;
      } else if (value == "csv") {
        arguments->format = ReportFormat::kCsv;
      } else if (value == "json") {
        arguments->format = ReportFormat::kJson;
      } else {
        *error = missing ? "--format needs table, csv or json"
                         : "unknown format " + value + " (table, csv or json)";
        return false;
      }
    } else if (OptionValue(argument, "--title", argc, argv, &i, &value,
                           &missing)) {
      if (missing) {
        *error = "--title needs a text";
        return false;
      }
      arguments->title = value;
    } else {
      *error = "unknown option " + argument;
      return false;
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
  bool table = arguments->format == ReportFormat::kTable;
  if (!pictureGiven && table) {
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
