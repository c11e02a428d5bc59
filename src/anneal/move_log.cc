#include "anneal/move_log.h"

#include <cerrno>
#include <cstring>

#include "anneal/log_format.h"
#include "model/floorplan.h"

namespace {

constexpr size_t kBlockSize = 1 << 16;

class BufferedLog : public MoveLog {
 public:
  explicit BufferedLog(FILE* out) : out_(out) {}
  ~BufferedLog() override { Flush(); }

  void Text(std::string_view text) override {
    buffer_.append(text);
    FlushIfFull();
  }

  void Expression(const Floorplan& floorplan) override {
    floorplan.AppendExpression(&buffer_);
    FlushIfFull();
  }

  void MoveNumber(int32_t number) override { PaddedNumber(0, number); }

  void Cost(Area cost) override { PaddedNumber(kCostIndent, cost); }

  void Number(Area value) override {
    char digits[kAreaDigits];
    buffer_.append(digits, FormatArea(value, digits));
  }

  // The temperature changes only between temperatures, so its text is made
  // once for each.
  void Temperature(double T) override {
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

  bool Flush() override {
    if (!buffer_.empty() && error_ == 0) {
      if (fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) {
        error_ = errno != 0 ? errno : EIO;
      }
    }
    buffer_.clear();
    return error_ == 0;
  }

 private:
  void PaddedNumber(size_t indent, Area value) {
    char field[kCostIndent + kAreaDigits + 1];
    std::memset(field, ' ', indent);
    char* end = FormatArea(value, field + indent);
    *end++ = ' ';
    size_t written = static_cast<size_t>(end - field);
    buffer_.append(field, written);
    if (written < kFieldWidth) buffer_.append(kFieldWidth - written, ' ');
  }

  void FlushIfFull() {
    if (buffer_.size() >= kBlockSize) Flush();
  }

  FILE* out_;
  std::string buffer_;
  bool haveTemperature_ = false;
  double temperature_ = 0;
  std::string temperatureText_;
};

// Every field through the C library's formatted output, with the padding
// counted from what each call reports it wrote.
class PrintfLog : public MoveLog {
 public:
  explicit PrintfLog(FILE* out) : out_(out) {}

  void Text(std::string_view text) override {
    Check(fwrite(text.data(), 1, text.size(), out_) == text.size());
  }
  void Expression(const Floorplan& floorplan) override {
    floorplan.Print(out_);
    Check(!ferror(out_));
  }
  void MoveNumber(int32_t number) override {
    Pad(fprintf(out_, "%i ", number));
  }
  void Cost(Area cost) override {
    Pad(fprintf(out_, "  %s ", AreaText(cost).c_str()));
  }
  void Number(Area value) override {
    Check(fprintf(out_, "%s", AreaText(value).c_str()) >= 0);
  }
  void Temperature(double T) override { Check(fprintf(out_, "%f ", T) >= 0); }
  bool Flush() override {
    Check(fflush(out_) == 0);
    return error_ == 0;
  }

 private:
  void Check(bool written) {
    if (!written && error_ == 0) error_ = errno != 0 ? errno : EIO;
  }
  void Pad(int written) {
    Check(written >= 0);
    for (int column = written; column < static_cast<int>(kFieldWidth);
         ++column) {
      Check(fputc(' ', out_) != EOF);
    }
  }

  FILE* out_;
};

class SilentLog : public MoveLog {
 public:
  void Text(std::string_view) override {}
  void Expression(const Floorplan&) override {}
  void MoveNumber(int32_t) override {}
  void Cost(Area) override {}
  void Number(Area) override {}
  void Temperature(double) override {}
  bool Flush() override { return true; }
};

}  // namespace

void WriteInitialReport(MoveLog* log, const Floorplan* verboseExpression,
                        Area cost) {
  if (verboseExpression != nullptr) {
    log->Text(kInitialVerbose);
    log->Expression(*verboseExpression);
  } else {
    log->Text(kInitialShort);
  }
  log->Text(kInitialCost);
  log->Number(cost);
  log->Text("\n\n");
  log->Text(kStartMarker);
  log->Text("\n\n");
}

void WriteFinalReport(MoveLog* log, const Floorplan& best, Area cost) {
  log->Text("\n");
  log->Text(kEndMarker);
  log->Text("\n");
  log->Text(kFinalSolution);
  log->Text("\n");
  log->Expression(best);
  log->Text("\n\n");
  log->Text(kFinalCost);
  log->Number(cost);
  log->Text("\n");
  log->Flush();
}

std::unique_ptr<MoveLog> MakeBufferedLog(FILE* out) {
  return std::make_unique<BufferedLog>(out);
}

std::unique_ptr<MoveLog> MakePrintfLog(FILE* out) {
  return std::make_unique<PrintfLog>(out);
}

std::unique_ptr<MoveLog> MakeSilentLog() {
  return std::make_unique<SilentLog>();
}
