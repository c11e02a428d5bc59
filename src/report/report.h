// The entry of `floorplan-report`, apart from the process: reads a data file
// and the log of a `floorplan` run on it, checks the log's final solution
// against the file, and writes the placement table to `out` and the picture
// to an SVG file. main() only supplies the real streams.
//
// floorplan-report [-o FILE] DATAFILE [LOGFILE]
//
// Without LOGFILE (or with "-") the log is read from `in`. A problem is
// reported on `err` as one line naming the file and line; nothing is then
// written to `out`, and no SVG file is left, not even in part: the picture
// is written to FILE.tmp and renamed to FILE only when it is complete.
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

// argv[0] is the program name. Returns the exit status: 0 after a report,
// 1 when an input is wrong or a file cannot be read or written, 2 for a
// command line it cannot use (after the usage text on `err`).
int RunReport(int argc, const char* const* argv, const ReportStreams& streams);

#endif  // FLOORPLAN_REPORT_REPORT_H_
