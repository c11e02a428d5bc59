// Reads a block file of the floorplanning course benchmarks (.block): the
// outline the floorplan must fit, the blocks, and the terminals (pads).
//
//   Outline: 1326 1205
//   NumBlocks: 33
//   NumTerminals: 40
//
//   bk1   336  133
//   VSS terminal  1410  1610
//
// The outline and the two counts come first, in this order, each once, with
// or without blanks around the colon. Then block lines "NAME WIDTH HEIGHT"
// (WIDTH the x extent) and terminal lines "NAME terminal X Y", in any order.
// Words are separated by spaces and tabs; lines end in LF or CRLF, the last
// one may end without; blank lines, trailing blanks and '#' comments may
// appear anywhere, and what comes before the first word is skipped as in
// every benchmark file (SkipLeadingMatter). Sides are 1..65535, the range of
// a data file's sides; the outline's sides and the terminals' coordinates are
// within kBlockFileCoordinateLimit, and a terminal may lie anywhere (pads
// often lie beyond the outline). Each count must agree with its lines, and
// no two blocks or terminals share a name.
//
// It reads text already in memory and keeps views of nothing: the records
// own their names. floorplan-convert writes the blocks as a data file;
// floorplan-report and floorplan-search take the outline and the terminals.
#ifndef FLOORPLAN_IO_BLOCK_FILE_H_
#define FLOORPLAN_IO_BLOCK_FILE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/input_error.h"

// The key of the first line, by which the format is told.
constexpr std::string_view kBlockFileOutlineKey = "Outline";

// The largest outline side and terminal coordinate magnitude: 2^31 - 1, so
// that the outline's area and any distance between terminals fit in 64 bits.
constexpr int64_t kBlockFileCoordinateLimit = 2147483647;

// The rectangle the floorplan must fit, from the line "Outline: W H".
struct BlockFileOutline {
  int64_t width = 0;   // 1..kBlockFileCoordinateLimit
  int64_t height = 0;  // 1..kBlockFileCoordinateLimit
  uint64_t line = 0;   // 1-based
};

// A block line "NAME WIDTH HEIGHT".
struct BlockFileBlock {
  std::string name;
  int64_t width = 0;   // the x extent, 1..65535
  int64_t height = 0;  // the y extent, 1..65535
  uint64_t line = 0;
};

// A terminal line "NAME terminal X Y": a pad at a fixed point.
struct BlockFileTerminal {
  std::string name;
  int64_t x = 0;  // within +-kBlockFileCoordinateLimit
  int64_t y = 0;
  uint64_t line = 0;
};

// A whole file: blocks and terminals in file order, exactly as many as its
// counts say (at most kBlockLimit of each).
struct BlockFile {
  BlockFileOutline outline;
  std::vector<BlockFileBlock> blocks;
  std::vector<BlockFileTerminal> terminals;
};

// False, with the line and the reason, for anything the reader does not
// understand; `file` then holds what came before the fault, not to be used.
bool ReadBlockFile(std::string_view text, BlockFile* file, InputError* error);

#endif  // FLOORPLAN_IO_BLOCK_FILE_H_
