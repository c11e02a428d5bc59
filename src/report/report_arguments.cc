#include "report/report_arguments.h"

#include <vector>

namespace {

// The one table of the report's options: the parser, its messages and the
// usage text all come from it.
std::vector<Option> ReportOptionTable(ReportArguments* a, bool* pictureGiven) {
  std::vector<Option> options = {
      {"--format", nullptr, "FORMAT", "table, csv, json or pl",
       "table (the default): the placement as a table, and a\n"
       "picture of the floorplan and of the run in FILE; csv,\n"
       "json or pl (a GSRC placement file): the placement alone\n"
       "(a picture only with -o)",
       [a](const std::string& value) {
         if (value == "table") {
           a->format = ReportFormat::kTable;
         } else if (value == "csv") {
           a->format = ReportFormat::kCsv;
         } else if (value == "json") {
           a->format = ReportFormat::kJson;
         } else if (value == "pl") {
           a->format = ReportFormat::kPl;
         } else {
           return false;
         }
         return true;
       }},
      {"-o", nullptr, "FILE", "a file name",
       "where the picture goes (default: DATAFILE's name with\n"
       ".svg for its extension, in the current folder); - for\n"
       "standard output, in place of the table",
       [a, pictureGiven](const std::string& value) {
         a->picture = value;
         *pictureGiven = true;
         return !value.empty();
       }},
      {"--title", nullptr, "TEXT", "a text",
       "the picture's title (default: Floorplan of DATAFILE)",
       [a](const std::string& value) {
         a->title = value;
         return true;
       }},
  };
  AddOutlineOptions(&a->outline, &options);
  options.push_back({"--nets", nullptr, "NETS", "a file name",
                     "the wirelength over the nets of a course or GSRC .nets\n"
                     "file, pins at module centres; modules found by name",
                     [a](const std::string& value) {
                       a->nets = value;
                       return !value.empty();
                     }});
  options.push_back({"--terminals", nullptr, "FILE", "a file name",
                     "the terminals' coordinates for --nets: a course .block\n"
                     "file or a GSRC .pl file",
                     [a](const std::string& value) {
                       a->terminals = value;
                       return !value.empty();
                     }});
  return options;
}

const Usage kUsage = {
    "floorplan-report",
    {"[OPTION]... DATAFILE [LOGFILE]"},
    "Reads the log of a run of `floorplan DATAFILE` (from LOGFILE, or from\n"
    "standard input when LOGFILE is absent or -) and prints where every\n"
    "module of the final solution goes.\n",
    "Exit status: 0 done, 1 an input or output it cannot use, 2 a command\n"
    "line it cannot use.\n"
    "Example: floorplan examples/ami33.txt | floorplan-report "
    "examples/ami33.txt\n",
};

}  // namespace

std::string ReportUsage() {
  ReportArguments unused;
  bool given = false;
  return UsageText(kUsage, ReportOptionTable(&unused, &given));
}

std::string DefaultPicture(const std::string& data) {
  size_t slash = data.find_last_of('/');
  std::string output =
      slash == std::string::npos ? data : data.substr(slash + 1);
  size_t dot = output.find_last_of('.');
  if (dot != std::string::npos && dot > 0) output.resize(dot);
  if (output.empty() || output == "." || output == "..") output = "floorplan";
  output += ".svg";
  // A data file named like its picture keeps its name.
  if (output == data) output += ".svg";
  return output;
}

bool ParseReportArguments(int argc, const char* const* argv,
                          ReportArguments* arguments, CommandLine* commandLine,
                          std::string* error) {
  bool pictureGiven = false;
  if (!ParseCommandLine(argc, argv, ReportOptionTable(arguments, &pictureGiven),
                        commandLine, error)) {
    return false;
  }
  if (commandLine->help || commandLine->version) return true;
  const std::vector<std::string>& operands = commandLine->operands;
  if (operands.empty() || operands.size() > 2) {
    *error = operands.empty() ? "no data file given" : "too many arguments";
    return false;
  }
  arguments->data = operands[0];
  if (operands.size() == 2 && operands[1] != "-") {
    arguments->log = operands[1];
  }
  bool table = arguments->format == ReportFormat::kTable;
  if (!pictureGiven && table) {
    arguments->picture = DefaultPicture(arguments->data);
  }
  if (!arguments->terminals.empty() && arguments->nets.empty()) {
    *error = "--terminals places the pins of --nets: give both";
    return false;
  }
  if (!table && arguments->picture == "-") {
    *error =
        "-o - and --format csv, json or pl would both write to standard "
        "output";
    return false;
  }
  return true;
}
