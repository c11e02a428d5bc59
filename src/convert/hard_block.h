// What the readers of the benchmark formats hand to the data-file writer:
// the hard blocks of a file in file order (a refusal is an InputError).
#ifndef FLOORPLAN_CONVERT_HARD_BLOCK_H_
#define FLOORPLAN_CONVERT_HARD_BLOCK_H_

#include <cstdint>
#include <string>

#include "io/input_error.h"

// One rectangular hard block as its file gives it. A reader only returns
// blocks whose outline was an axis-parallel rectangle with both sides in
// 1..65535; whether the name fits a data file line is the writer's check.
struct HardBlock {
  std::string name;
  int64_t width = 0;   // the outline's x extent
  int64_t height = 0;  // the outline's y extent
  uint64_t line = 0;   // 1-based line of the file where the block starts
};

#endif  // FLOORPLAN_CONVERT_HARD_BLOCK_H_
