// The entry of `floorplan-report`, apart from the process: reads a data file
// and the log of a `floorplan` run on it, checks the log's final solution
// against the file, and writes the placement to standard output (as a
// table, CSV or JSON) and the picture to an SVG file or to standard output.
// The command line is in report_arguments.h.
//
// A problem is reported as one line naming the file (and line) at fault,
// with exit status 1 (2 for a command line it cannot use). Inputs are
// checked whole before anything is written. Then standard output takes the
// table, and only once that succeeded is the picture written, through an
// OutputFile: it replaces the target only when every write to it
// succeeded, so on any failure every existing file is left as it was. The
// table's last line, which names the picture, comes once the picture is in
// place: a picture refused or lost is never named.
#ifndef FLOORPLAN_REPORT_REPORT_H_
#define FLOORPLAN_REPORT_REPORT_H_

#include "cli/program_io.h"

// argv[0] is the program name. Reads the log from io.in without LOGFILE.
// Returns the exit status (cli/exit_status.h).
int RunReport(int argc, const char* const* argv, const ProgramIO& io);

#endif  // FLOORPLAN_REPORT_REPORT_H_
