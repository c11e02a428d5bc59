// The floorplan data file made from a list of hard blocks: one line
// "ID W H NAME" per block, identifiers 1..N in list order, W the x extent and
// H the y extent, and nothing else (any other line would load as a module).
// The data-file reader splits a line at spaces, tabs and line feeds, ends it
// at NUL, ends the file at 0x1A, drops a CR before LF, and cuts lines longer
// than LineReader::kPieceLimit into pieces; so a name must be one token of
// printable bytes on a line that fits.
#ifndef FLOORPLAN_CONVERT_DATA_FILE_TEXT_H_
#define FLOORPLAN_CONVERT_DATA_FILE_TEXT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "convert/hard_block.h"

// The text of the data file. False, with the block's line and the reason,
// for a name holding a space or a control byte, a name that makes its line
// too long for the reader, a name given to two blocks, or a side outside
// 1..65535; and, with `endLine`, for fewer than two blocks, which the main
// program refuses.
bool FormatDataFile(const std::vector<HardBlock>& blocks, uint64_t endLine,
                    std::string* text, InputError* error);

#endif  // FLOORPLAN_CONVERT_DATA_FILE_TEXT_H_
