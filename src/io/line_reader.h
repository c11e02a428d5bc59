// Reads a data file the way a text-mode line reader with a 1024-byte buffer
// sees it: a carriage return right before a line feed is dropped, the byte
// 0x1A ends the file, and a line of 1023 or more characters arrives in pieces
// of at most 1023 characters, the line feed going with the last piece. Each
// piece is handled as a line of its own.
#ifndef FLOORPLAN_IO_LINE_READER_H_
#define FLOORPLAN_IO_LINE_READER_H_

#include <cstddef>
#include <cstdio>
#include <string>

class LineReader {
 public:
  static constexpr size_t kPieceLimit = 1023;

  // Reads from `file`, which stays open and owned by the caller. A read error
  // is taken as the end of the file; error() then tells it.
  explicit LineReader(FILE* file) : file_(file) {}

  // The next piece, its line feed included when it has one. False at the end
  // of the file when no character is left.
  bool ReadPiece(std::string* piece);

  // The errno of a read that failed, or 0.
  int error() const { return error_; }

 private:
  // Next byte of the file, or -1 at its end.
  int ReadByte();
  // Next character of the translated text, or -1 at its end.
  int ReadChar();

  FILE* file_;
  unsigned char buffer_[65536];
  size_t length_ = 0;
  size_t at_ = 0;
  int pending_ = -1;  // a byte read ahead after a carriage return
  bool ended_ = false;
  int error_ = 0;
};

#endif  // FLOORPLAN_IO_LINE_READER_H_
