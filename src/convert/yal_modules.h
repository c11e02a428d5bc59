// Reads the hard blocks of an MCNC YAL file: its GENERAL modules.
//
//   /* comment */
//   MODULE bk1;
//     TYPE GENERAL;
//     DIMENSIONS 0 0 0 133 336 133 336 0;
//     IOLIST;
//       P1 B 0 10 1 METAL1;
//     ENDIOLIST;
//   ENDMODULE;
//
// Statements end at ';' and may spread over lines or share one; keywords are
// matched without regard to case; /* */ comments may span lines, and what
// comes before the first MODULE is skipped as in every benchmark file
// (SkipLeadingMatter: '#' comments and a byte-order mark too). A block's
// width and height are the x and y extents of its DIMENSIONS points, wherever
// they lie. PAD and PARENT modules are skipped, the contents of IOLIST,
// NETWORK and PLACEMENT sections too; other module types are refused.
#ifndef FLOORPLAN_CONVERT_YAL_MODULES_H_
#define FLOORPLAN_CONVERT_YAL_MODULES_H_

#include <string_view>
#include <vector>

#include "convert/hard_block.h"

// The GENERAL modules in file order, each with the line of its MODULE
// statement. False, with the line and the reason, for anything the reader
// does not understand or cannot convert.
bool ReadYalModules(std::string_view text, std::vector<HardBlock>* blocks,
                    InputError* error);

#endif  // FLOORPLAN_CONVERT_YAL_MODULES_H_
