// What a reader of a benchmark file says when it refuses the file: the line
// and the reason. Shared by the readers under src/io and the converter's.
#ifndef FLOORPLAN_IO_INPUT_ERROR_H_
#define FLOORPLAN_IO_INPUT_ERROR_H_

#include <cstdint>
#include <string>
#include <string_view>

// Why a file was refused, and the 1-based line the reason concerns.
struct InputError {
  uint64_t line = 0;
  std::string reason;
};

// `name` as a message shows it: control bytes, which a name read from a file
// may hold, appear as \xHH so that they cannot act on a terminal.
std::string PrintableName(std::string_view name);

#endif  // FLOORPLAN_IO_INPUT_ERROR_H_
