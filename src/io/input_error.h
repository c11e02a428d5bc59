// What every reader of a benchmark file shares: the refusal, with its line and
// reason; how a message shows a name; and how many blocks a file may hold.
#ifndef FLOORPLAN_IO_INPUT_ERROR_H_
#define FLOORPLAN_IO_INPUT_ERROR_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The most blocks (or terminals) a reader takes from one file: four times
// the largest benchmarks, and a bound on the memory a file of many tiny lines
// can claim. A reader refuses the first one beyond it.
constexpr size_t kBlockLimit = size_t{1} << 22;

// Why a file was refused, and the 1-based line the reason concerns.
struct InputError {
  uint64_t line = 0;
  std::string reason;
};

// "PATH:LINE: reason", how every program tells a refusal of the file at
// `path`.
std::string RefusalMessage(const std::string& path, const InputError& refusal);

// `name` as a message shows it: control bytes, which a name read from a file
// may hold, appear as \xHH so that they cannot act on a terminal.
std::string PrintableName(std::string_view name);

#endif  // FLOORPLAN_IO_INPUT_ERROR_H_
