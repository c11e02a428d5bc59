// The lines of a benchmark file as every reader of one takes them: from the
// first word on (the leading matter skipped as format detection skips it),
// one at a time with its 1-based number, a CRLF's carriage return and a '#'
// comment cut off; and the words of a line, separated by spaces and tabs,
// taken one at a time so that a long line costs no memory.
#ifndef FLOORPLAN_IO_BENCHMARK_LINES_H_
#define FLOORPLAN_IO_BENCHMARK_LINES_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/input_error.h"

class BenchmarkLines {
 public:
  // `text` must outlive the object.
  explicit BenchmarkLines(std::string_view text) : text_(text) {}

  // Skips the leading matter; false, with the line where it opens, for a
  // /* comment that is never closed.
  bool Start(InputError* error);
  // The next line, blank ones included, and its number; false at the end.
  bool Next(std::string_view* line, uint64_t* number);
  // The number of the line Next gave last (before the first, that of the
  // first word): where a problem found at the end is reported.
  uint64_t number() const { return number_; }

 private:
  std::string_view text_;
  size_t at_ = 0;
  uint64_t number_ = 0;
};

// The word of `text` at or after *at, moving *at past it; empty at the end.
std::string_view NextWord(std::string_view text, size_t* at);

#endif  // FLOORPLAN_IO_BENCHMARK_LINES_H_
