#include "anneal/move_log.h"

#include <charconv>
#include <cinttypes>
#include <cstring>

#include "model/floorplan.h"

namespace {

constexpr size_t kFieldWidth = 10;
constexpr size_t kBlockSize = 1 << 16;

void PadWritten(FILE* out, int written) {
  for (int column = written; column < static_cast<int>(kFieldWidth); ++column) {
    fputc(' ', out);
  }
}

}  // namespace

void MoveLog::Text(std::string_view text) {
  if (plain_) {
    fwrite(text.data(), 1, text.size(), out_);
    return;
  }
  buffer_.append(text);
  FlushIfFull();
}

void MoveLog::Expression(const Floorplan& floorplan) {
  if (plain_) {
    floorplan.Print(out_);
    return;
  }
  floorplan.AppendExpression(&buffer_);
  FlushIfFull();
}

void MoveLog::MoveNumber(int32_t number) {
  if (plain_) {
    PadWritten(out_, fprintf(out_, "%i ", number));
    return;
  }
  PaddedNumber("", number);
}

void MoveLog::Cost(int64_t cost) {
  if (plain_) {
    PadWritten(out_, fprintf(out_, "  %" PRId64 " ", cost));
    return;
  }
  PaddedNumber("  ", cost);
}

void MoveLog::Number(int64_t value) {
  if (plain_) {
    fprintf(out_, "%" PRId64, value);
    return;
  }
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  buffer_.append(digits, end);
}

void MoveLog::PaddedNumber(std::string_view prefix, int64_t value) {
  char field[32];
  std::memcpy(field, prefix.data(), prefix.size());
  // An int64_t takes at most 20 characters, so the space always fits.
  char* end =
      std::to_chars(field + prefix.size(), field + sizeof field - 1, value).ptr;
  *end++ = ' ';
  size_t written = static_cast<size_t>(end - field);
  buffer_.append(field, written);
  if (written < kFieldWidth) buffer_.append(kFieldWidth - written, ' ');
}

// The temperature changes only between temperatures, so its text is made once
// for each.
void MoveLog::Temperature(double T) {
  if (plain_) {
    fprintf(out_, "%f ", T);
    return;
  }
  if (!haveTemperature_ || std::memcmp(&T, &temperature_, sizeof T) != 0) {
    int length = snprintf(nullptr, 0, "%f ", T);
    temperatureText_.resize(static_cast<size_t>(length) + 1);
    snprintf(&temperatureText_[0], temperatureText_.size(), "%f ", T);
    temperatureText_.resize(static_cast<size_t>(length));
    temperature_ = T;
    haveTemperature_ = true;
  }
  buffer_.append(temperatureText_);
}

void MoveLog::FlushIfFull() {
  if (buffer_.size() >= kBlockSize) Flush();
}

void MoveLog::Flush() {
  if (!buffer_.empty()) {
    fwrite(buffer_.data(), 1, buffer_.size(), out_);
    buffer_.clear();
  }
}
