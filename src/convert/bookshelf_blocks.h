// Reads the hard blocks of a GSRC bookshelf blocks file (.blocks or
// .hardblocks):
//
//   UCSC blocks 1.0
//   # comment
//   NumSoftRectangularBlocks : 0
//   NumHardRectilinearBlocks : 2
//   NumTerminals : 1
//   bk1 hardrectilinear 4 (0, 0) (0, 133) (336, 133) (336, 0)
//   bk2 hardrectilinear 4 (0, 0) (0, 50) (80, 50) (80, 0)
//   p1 terminal
//
// What comes before the first word is skipped as in every benchmark file
// (SkipLeadingMatter). The header may be left out, and comes first when it is
// given; '#' starts a comment anywhere on a line; words are separated by
// spaces and tabs; lines may end in CRLF. Terminals are skipped, soft blocks
// (softrectangular, softrectilinear) refused. Every "Num...: N" line is
// accepted, and the number of hard blocks must agree with
// NumHardRectilinearBlocks where that is given.
#ifndef FLOORPLAN_CONVERT_BOOKSHELF_BLOCKS_H_
#define FLOORPLAN_CONVERT_BOOKSHELF_BLOCKS_H_

#include <string_view>
#include <vector>

#include "convert/hard_block.h"
#include "io/input_format.h"

// The hard blocks in file order. False, with the line and the reason, for
// anything the reader does not understand or cannot convert.
bool ReadBookshelfBlocks(std::string_view text, std::vector<HardBlock>* blocks,
                         InputError* error);

#endif  // FLOORPLAN_CONVERT_BOOKSHELF_BLOCKS_H_
