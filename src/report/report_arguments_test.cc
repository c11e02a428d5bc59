// Command lines as users type them, and what each must come to.
#include "report/report_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

TEST(ReportArgumentsTest, CommandLines) {
  struct Case {
    std::vector<std::string> arguments;
    std::string error;  // empty: parsed
    std::string data = "";
    std::string log = "";
    std::string picture = "";
    ReportFormat format = ReportFormat::kTable;
    std::string title = "";
  };
  const ReportFormat table = ReportFormat::kTable;
  const ReportFormat csv = ReportFormat::kCsv;
  const ReportFormat json = ReportFormat::kJson;
  const Case cases[] = {
      {{"d.txt"}, "", "d.txt", "", "d.svg", table, ""},
      {{"d.txt", "-"}, "", "d.txt", "", "d.svg", table, ""},
      {{"dir.x/d", "run.log"}, "", "dir.x/d", "run.log", "d.svg", table, ""},
      {{"/dev/fd/63"}, "", "/dev/fd/63", "", "63.svg", table, ""},
      {{"d.svg"}, "", "d.svg", "", "d.svg.svg", table, ""},
      {{"-o", "p.svg", "d.txt"}, "", "d.txt", "", "p.svg", table, ""},
      {{"-o", "-", "d.txt"}, "", "d.txt", "", "-", table, ""},
      {{"--format", "csv", "d.txt"}, "", "d.txt", "", "", csv, ""},
      {{"--format=json", "d.txt", "l"}, "", "d.txt", "l", "", json, ""},
      {{"--format", "json", "-o", "p.svg", "d.txt"},
       "",
       "d.txt",
       "",
       "p.svg",
       json,
       ""},
      {{"--format", "table", "d.txt"}, "", "d.txt", "", "d.svg", table, ""},
      {{"--title", "ami33, lambda 0.9", "d.txt"},
       "",
       "d.txt",
       "",
       "d.svg",
       table,
       "ami33, lambda 0.9"},
      {{"--title=", "d.txt"}, "", "d.txt", "", "d.svg", table, ""},
      {{"--", "-o"}, "", "-o", "", "-o.svg", table, ""},
      {{"--format", "pl", "d.txt"}, "", "d.txt", "", "", ReportFormat::kPl, ""},
      {{"--format", "xml", "d.txt"},
       "--format needs table, csv, json or pl, not 'xml'"},
      {{"d.txt", "--format"}, "--format needs table, csv, json or pl"},
      {{"--format", "csv", "-o", "-", "d.txt"},
       "-o - and --format csv, json or pl would both write to standard "
       "output"},
      {{"d.txt", "-o"}, "-o needs a file name"},
      {{"-o", "", "d.txt"}, "-o needs a file name, not ''"},
      {{"d.txt", "--title"}, "--title needs a text"},
      {{"-x", "d.txt"}, "unknown option -x"},
      {{"--output=p", "d.txt"}, "unknown option --output"},
      {{}, "no data file given"},
      {{"a", "b", "c"}, "too many arguments"},
      {{"--terminals", "t.pl", "d.txt"},
       "--terminals places the pins of --nets: give both"},
  };
  for (const Case& c : cases) {
    std::string shown;
    std::vector<const char*> argv = ArgvOf("floorplan-report", c.arguments);
    for (const std::string& argument : c.arguments) shown += argument + " ";
    SCOPED_TRACE(shown);
    ReportArguments arguments;
    CommandLine line;
    std::string error;
    bool parsed = ParseReportArguments(static_cast<int>(argv.size()),
                                       argv.data(), &arguments, &line, &error);
    EXPECT_EQ(c.error.empty(), parsed);
    EXPECT_EQ(c.error, error);
    if (!parsed) continue;
    EXPECT_EQ(c.data, arguments.data);
    EXPECT_EQ(c.log, arguments.log);
    EXPECT_EQ(c.picture, arguments.picture);
    EXPECT_EQ(c.format, arguments.format);
    EXPECT_EQ(c.title, arguments.title);
  }
}

}  // namespace
