// The entry of `floorplan-report`, apart from the process: reads a data file
// and the log of a `floorplan` run on it, checks the log's final solution
// against the file, and writes the placement to `out` (as a table, CSV or
// JSON) and the picture to an SVG file or to `out`. main() only supplies the
// real streams. The command line is in report_arguments.h.
//
// A problem is reported on `err` as one line naming the file (and line) at
// fault, with exit status 1 (2 for a command line it cannot use). Inputs are
// checked whole before anything is written. Then `out` takes the table, and
// only once that succeeded is the picture written, through an OutputFile:
// it replaces the target only when every write to it succeeded, so on any
// failure every existing file is left as it was.
#ifndef FLOORPLAN_REPORT_REPORT_H_
#define FLOORPLAN_REPORT_REPORT_H_

#include <cstdio>

// Where the report reads the log (without LOGFILE) and writes; the caller
// owns the streams.
struct ReportStreams {
  FILE* in = stdin;
  FILE* out = stdout;
  FILE* err = stderr;
};

// argv[0] is the program name. Returns the exit status (app/exit_status.h).
int RunReport(int argc, const char* const* argv, const ReportStreams& streams);

#endif  // FLOORPLAN_REPORT_REPORT_H_
