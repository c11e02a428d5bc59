// Reads a whole benchmark file into memory, up to a bound, for the readers
// that take text (ReadBlockFile and the converter's).
#ifndef FLOORPLAN_IO_TEXT_FILE_H_
#define FLOORPLAN_IO_TEXT_FILE_H_

#include <cstddef>
#include <string>

// The most bytes a benchmark file may have: some fifteen times a million
// blocks of GSRC text with 5-digit sides (70 MB), and still a bound on what
// /dev/zero or an endless FIFO can take.
constexpr size_t kBenchmarkFileLimit = size_t{1} << 30;

// The contents of `path`, byte for byte. False, with the reason ("cannot
// open: ...", "cannot read: ...", "cannot read: larger than 1 GiB"), when the
// file cannot be opened or read or holds more than `limit` bytes; a regular
// file that large is refused before it is read. The memory taken is at most
// about the file's size.
bool ReadTextFile(const std::string& path, size_t limit, std::string* text,
                  std::string* reason);

#endif  // FLOORPLAN_IO_TEXT_FILE_H_
