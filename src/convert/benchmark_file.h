// A benchmark file in any format the converter reads, told from its contents
// (DetectInputFormat) and read by that format's reader: its hard blocks in
// file order and, from a course block file, the outline.
#ifndef FLOORPLAN_CONVERT_BENCHMARK_FILE_H_
#define FLOORPLAN_CONVERT_BENCHMARK_FILE_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "convert/hard_block.h"

struct BenchmarkFile {
  std::vector<HardBlock> blocks;
  bool hasOutline = false;  // only a course block file gives one
  int64_t outlineWidth = 0;
  int64_t outlineHeight = 0;
};

// False, with the line and the reason, for a file in no format it reads or
// one its reader refuses.
bool ReadBenchmarkFile(std::string_view text, BenchmarkFile* file,
                       InputError* error);

#endif  // FLOORPLAN_CONVERT_BENCHMARK_FILE_H_
