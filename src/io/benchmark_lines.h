// The lines of a benchmark file that hold words, one at a time, for every
// reader of the suites' line formats (blocks, nets, placements): what precedes the
// first word is skipped as every reader skips it (SkipLeadingMatter); then
// each line loses its line end (LF or CRLF) and any '#' comment, and lines
// left blank are passed over. Lines are numbered from 1 as an editor
// numbers them.
//
// A view of the text, which must outlive it; it allocates nothing, so a
// file of any number of lines is read in constant memory.
#ifndef FLOORPLAN_IO_BENCHMARK_LINES_H_
#define FLOORPLAN_IO_BENCHMARK_LINES_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/input_error.h"

class BenchmarkLines {
 public:
  explicit BenchmarkLines(std::string_view text) : text_(text) {}

  // The next line that holds a word, and its number. False at the end of
  // the text, and for a /* comment that is never closed before the first
  // word (error() then tells; it is empty otherwise).
  bool Next(std::string_view* line, uint64_t* number);

  const InputError& error() const { return error_; }
  // The number of the last line read, blank ones included: where a problem
  // found at the end of the file is told.
  uint64_t number() const { return line_; }

 private:
  std::string_view text_;
  size_t at_ = 0;
  uint64_t line_ = 0;  // of the line that ends before at_
  bool started_ = false;
  InputError error_;
};

// The word of `line` at or after *at (words are separated by spaces and
// tabs), moving *at past it; empty when there is none.
std::string_view NextWord(std::string_view line, size_t* at);

// A "KEY : VALUE" line, with or without blanks around the colon: true, with
// the key and what follows the colon, when the line is one; KEY must be a
// single word.
bool SplitKeyLine(std::string_view line, std::string_view* key,
                  std::string_view* value);

#endif  // FLOORPLAN_IO_BENCHMARK_LINES_H_
