// Which benchmark format a file is in, told from its first word rather than
// its name, after the leading matter every reader skips (SkipLeadingMatter):
// a GSRC bookshelf blocks file opens with the header "UCSC blocks" or, when
// it has none, with one of its count lines ("NumHardRectilinearBlocks : 100"),
// a course block file with "Outline:", a YAL file with its first MODULE
// statement.
#ifndef FLOORPLAN_IO_INPUT_FORMAT_H_
#define FLOORPLAN_IO_INPUT_FORMAT_H_

#include <cstdint>
#include <string_view>

#include "io/input_error.h"

enum class InputFormat { kBookshelfBlocks, kCourseBlocks, kYal };

// The first word of a GSRC blocks file's header.
constexpr std::string_view kBookshelfHeader = "UCSC";

// The count lines a GSRC blocks file without the header opens with.
constexpr std::string_view kBookshelfCountKeys[] = {
    "NumSoftRectangularBlocks", "NumSoftBlocks", "NumHardRectilinearBlocks",
    "NumTerminals"};

// How messages name each format: "a GSRC blocks file".
const char* FormatName(InputFormat format);

// False, with the line of the first word, for a file in neither format.
bool DetectInputFormat(std::string_view text, InputFormat* format,
                       InputError* error);

// The number of the file's last line (1 for an empty file): where a problem
// found only at the end of the file is reported.
uint64_t LastLine(std::string_view text);

#endif  // FLOORPLAN_IO_INPUT_FORMAT_H_
