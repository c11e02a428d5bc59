#include "io/line_reader.h"

#include <cerrno>

int LineReader::ReadByte() {
  if (at_ == length_) {
    if (ended_) return -1;
    length_ = fread(buffer_, 1, sizeof buffer_, file_);
    at_ = 0;
    if (length_ == 0) {
      if (ferror(file_)) error_ = errno;
      ended_ = true;
      return -1;
    }
  }
  return buffer_[at_++];
}

int LineReader::ReadChar() {
  if (ended_ && pending_ < 0 && at_ == length_) return -1;
  int byte;
  if (pending_ >= 0) {
    byte = pending_;
    pending_ = -1;
  } else {
    byte = ReadByte();
  }
  if (byte == 0x1A) {
    ended_ = true;
    at_ = length_;
    return -1;
  }
  if (byte == '\r') {
    int following = ReadByte();
    if (following == '\n') return '\n';
    pending_ = following;  // -1 at the end of the file: nothing pending
  }
  return byte;
}

bool LineReader::ReadPiece(std::string* piece) {
  piece->clear();
  while (piece->size() < kPieceLimit) {
    int c = ReadChar();
    if (c < 0) break;
    piece->push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !piece->empty();
}
