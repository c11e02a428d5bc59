// The entry of `floorplan-convert`, apart from the process: reads a GSRC
// bookshelf blocks file or an MCNC YAL file (told apart by their contents)
// and writes the floorplan data file of its hard blocks. main() only
// supplies the process.
//
// floorplan-convert [--help] [--version] INPUT [OUTPUT]
//
// Without OUTPUT (or with "-") the data file goes to standard output. A
// refused input is reported as "floorplan-convert: FILE:LINE: reason", and
// then nothing is written: no OUTPUT created or changed, nothing on
// standard output. After converting a course block file, whose outline the
// data file cannot hold, standard error gets
// "floorplan-convert: INPUT: outline W H".
#ifndef FLOORPLAN_CONVERT_CONVERT_H_
#define FLOORPLAN_CONVERT_CONVERT_H_

#include <string>

#include "cli/program_io.h"

// The usage text, for --help on standard output and after a command-line
// error on standard error.
std::string ConvertUsage();

// argv[0] is the program name. Returns kExitSuccess after a conversion or
// --help/--version, kExitFailure for an input refused or a file that cannot
// be read or written (standard output included), and kExitUsage for a
// command line it cannot use (after the usage text on standard error).
int RunConvert(int argc, const char* const* argv, const ProgramIO& io);

#endif  // FLOORPLAN_CONVERT_CONVERT_H_
