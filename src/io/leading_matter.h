// What may come before the first word of a benchmark file, whatever its
// format: a UTF-8 byte-order mark, blanks and blank lines (LF or CRLF), '#'
// comments to the end of a line and /* */ comments, which may span lines.
// Telling a file's format and every reader skip it with this one routine, so
// that a reader never refuses what came before the first word of a file whose
// format was told from that word.
#ifndef FLOORPLAN_IO_LEADING_MATTER_H_
#define FLOORPLAN_IO_LEADING_MATTER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/input_error.h"

// Sets *at to where the first word begins (text.size() when there is none)
// and *line to its 1-based line. False, with the line where it opens, for a
// /* comment that is never closed.
bool SkipLeadingMatter(std::string_view text, size_t* at, uint64_t* line,
                       InputError* error);

#endif  // FLOORPLAN_IO_LEADING_MATTER_H_
