// Reads a GSRC placement file (.pl): where each named block or terminal
// sits.
//
//   UCLA pl 1.0
//   # a comment
//   p1	0	0
//   sb3   120  45 : N /FIXED
//
// An optional "UCLA pl 1.0" header, then lines "NAME X Y" with whole-number
// coordinates (a block's lower-left corner, a terminal's point), separated
// by spaces or tabs; what follows Y (an orientation ": N", "/FIXED") is
// ignored. Blank lines and '#' comments may appear anywhere, lines end in
// LF or CRLF, and what comes before the first word is skipped as in every
// benchmark file. No name may appear twice.
//
// The records own their names. floorplan-report reads the terminals'
// coordinates from such a file, and writes its placements in the form.
#ifndef FLOORPLAN_IO_PL_FILE_H_
#define FLOORPLAN_IO_PL_FILE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/input_error.h"

// The header line.
constexpr std::string_view kPlFileHeader = "UCLA pl 1.0";

// One line "NAME X Y".
struct PlFileEntry {
  std::string name;
  int64_t x = 0;  // within +-kBlockFileCoordinateLimit (block_file.h)
  int64_t y = 0;
  uint64_t line = 0;  // 1-based
};

// False, with the line and the reason, for anything the reader does not
// understand; `entries` then holds what came before the fault. At most
// kBlockLimit entries.
bool ReadPlFile(std::string_view text, std::vector<PlFileEntry>* entries,
                InputError* error);

#endif  // FLOORPLAN_IO_PL_FILE_H_
