// The command line of floorplan-report, understood:
//
//   floorplan-report [OPTION]... DATAFILE [LOGFILE]
//
// plus --help and --version. Only parsing happens here: whether the files
// can be read or written is found out where they are opened.
#ifndef FLOORPLAN_REPORT_REPORT_ARGUMENTS_H_
#define FLOORPLAN_REPORT_REPORT_ARGUMENTS_H_

#include <string>

#include "cli/command_line.h"
#include "cli/outline_options.h"

// The usage text, made from the option table.
std::string ReportUsage();

// What standard output carries.
enum class ReportFormat { kTable, kCsv, kJson, kPl };

// Invariants after a successful parse, unless --help or --version was asked
// for: `data` is set; `picture` is set for the table format (by default the
// data file's name, without its folder and with the extension .svg, in the
// current folder) and empty for csv, json and pl unless -o gave one; it is
// never "-" together with those, which would put two documents on standard
// output.
struct ReportArguments {
  std::string data;
  std::string log;      // empty: standard input
  std::string picture;  // empty: none; "-": standard output, no table
  ReportFormat format = ReportFormat::kTable;
  std::string title;  // empty: "Floorplan of DATAFILE"
  OutlineRequest outline;
  std::string nets;       // empty: no wirelength
  std::string terminals;  // empty: none; given only with `nets`
};

// False, with the reason, for a command line the program cannot use.
bool ParseReportArguments(int argc, const char* const* argv,
                          ReportArguments* arguments, CommandLine* commandLine,
                          std::string* error);

// The picture's default name: the data file's name without its folder, its
// extension, if any, replaced by ".svg".
std::string DefaultPicture(const std::string& data);

#endif  // FLOORPLAN_REPORT_REPORT_ARGUMENTS_H_
