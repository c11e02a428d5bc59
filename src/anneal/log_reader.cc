#include "anneal/log_reader.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "anneal/log_format.h"
#include "io/number_text.h"

namespace {

// Lines from a stream read in large blocks. A line is handed out without its
// line feed (and without a carriage return before it).
class LogLines {
 public:
  LogLines(FILE* in, size_t longest) : in_(in), longest_(longest) {}

  enum class Result { kLine, kEnd, kTooLong, kReadError };

  // `terminated` tells whether the line ended in a line feed, which only
  // the last line of a cut-off log lacks.
  Result Next(std::string_view* line, bool* terminated) {
    carried_.clear();
    for (;;) {
      if (at_ == length_) {
        length_ = ended_ ? 0 : fread(block_, 1, sizeof block_, in_);
        at_ = 0;
        if (length_ == 0) {
          if (!ended_ && ferror(in_)) {
            error_ = errno;
            ended_ = true;
            return Result::kReadError;
          }
          ended_ = true;
          if (carried_.empty()) return Result::kEnd;
          *terminated = false;
          *line = Trimmed(carried_);
          ++number_;
          return Result::kLine;
        }
      }
      const char* begin = block_ + at_;
      const void* feed = std::memchr(begin, '\n', length_ - at_);
      size_t size =
          feed == nullptr
              ? length_ - at_
              : static_cast<size_t>(static_cast<const char*>(feed) - begin);
      // A carriage return before the line feed is not part of the line.
      if (longest_ != 0 && carried_.size() + size > longest_ + 1) {
        ++number_;
        return Result::kTooLong;
      }
      if (feed == nullptr) {
        carried_.append(begin, size);
        at_ = length_;
        continue;
      }
      at_ += size + 1;
      ++number_;
      *terminated = true;
      if (carried_.empty()) {
        *line = Trimmed(std::string_view(begin, size));
      } else {
        carried_.append(begin, size);
        *line = Trimmed(carried_);
      }
      if (longest_ != 0 && line->size() > longest_) return Result::kTooLong;
      return Result::kLine;
    }
  }

  uint64_t number() const { return number_; }
  int error() const { return error_; }

 private:
  static std::string_view Trimmed(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  FILE* in_;
  size_t longest_;
  char block_[1 << 16];
  size_t length_ = 0;
  size_t at_ = 0;
  bool ended_ = false;
  int error_ = 0;
  std::string carried_;  // a line that runs across blocks
  uint64_t number_ = 0;
};

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool ParseInteger(std::string_view token, int64_t* value) {
  Area wide;
  if (!ParseArea(token, &wide) || wide < INT64_MIN || wide > INT64_MAX) {
    return false;
  }
  *value = static_cast<int64_t>(wide);
  return true;
}

// Splits at spaces and tabs; returns capacity + 1 when there are more.
size_t SplitFields(std::string_view line, std::string_view* fields,
                   size_t capacity) {
  size_t count = 0;
  size_t at = 0;
  for (;;) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) return count;
    size_t end = line.find_first_of(" \t", at);
    if (end == std::string_view::npos) end = line.size();
    if (count == capacity) return capacity + 1;
    fields[count++] = line.substr(at, end - at);
    at = end;
  }
}

// "... Cost: N" at the end of a line, as the initial and final reports end;
// the label stands there once.
bool ParseTrailingCost(std::string_view line, std::string_view* before,
                       Area* cost) {
  size_t label = line.find(kFinalCost);
  if (label == std::string_view::npos ||
      line.find(kFinalCost, label + 1) != std::string_view::npos) {
    return false;
  }
  *before = line.substr(0, label);
  std::string_view number = line.substr(label + kFinalCost.size());
  while (!number.empty() && (number.back() == ' ' || number.back() == '\t')) {
    number.remove_suffix(1);
  }
  return ParseArea(number, cost);
}

// One move line: "number cost Y|N", or "number expression cost T Y|N".
bool ParseMove(std::string_view line, LogMove* move, bool* verbose,
               std::string* scratch) {
  std::string_view fields[5];
  size_t count = SplitFields(line, fields, 5);
  if (count != 3 && count != 5) return false;
  if (!ParseInteger(fields[0], &move->number)) return false;
  std::string_view verdict = fields[count - 1];
  if (verdict != kAccepted && verdict != kRejected) return false;
  move->accepted = verdict == kAccepted;
  if (!ParseArea(fields[count == 3 ? 1 : 2], &move->cost)) return false;
  *verbose = count == 5;
  move->expression = std::string_view();
  move->temperatureText = std::string_view();
  move->temperature = 0;
  if (count == 5) {
    move->expression = fields[1];
    move->temperatureText = fields[3];
    scratch->assign(fields[3]);
    char* end = nullptr;
    move->temperature = std::strtod(scratch->c_str(), &end);
    if (end != scratch->c_str() + scratch->size()) return false;
  }
  return true;
}

enum class Section { kHeader, kMoves, kEnded, kExpression, kCost, kDone };

bool Fail(LogError* error, uint64_t line, std::string message) {
  error->line = line;
  error->message = std::move(message);
  return false;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

bool ReadRunLog(FILE* in, size_t longestLine, const MoveVisitor& onMove,
                RunLog* log, LogError* error) {
  LogLines lines(in, longestLine);
  Section section = Section::kHeader;
  std::string scratch;
  std::string_view line;
  bool terminated = true;
  for (;;) {
    LogLines::Result result = lines.Next(&line, &terminated);
    if (result == LogLines::Result::kEnd) break;
    uint64_t number = lines.number();
    if (result == LogLines::Result::kReadError) {
      return Fail(
          error, 0,
          std::string("cannot read the log: ") + strerror(lines.error()));
    }
    if (result == LogLines::Result::kTooLong) {
      return Fail(error, number,
                  "a line longer than any line of a log of this data file (" +
                      std::to_string(longestLine) +
                      " characters): not the log of a run on it");
    }
    if (section != Section::kExpression && IsBlank(line)) continue;
    switch (section) {
      case Section::kHeader: {
        std::string_view before;
        if (line == kStartMarker) {
          section = Section::kMoves;
        } else if (line == kEndMarker) {
          section = Section::kEnded;
        } else if (StartsWith(line, kInitialShort) &&
                   ParseTrailingCost(line, &before, &log->initialCost)) {
          log->hasInitialCost = true;
          if (StartsWith(before, kInitialVerbose)) {
            log->initialExpression.assign(
                before.substr(kInitialVerbose.size()));
            // The label's leading space parts it from the expression.
            if (!log->initialExpression.empty() &&
                log->initialExpression.back() == ' ') {
              log->initialExpression.pop_back();
            }
          }
        } else {
          return Fail(error, number,
                      "not the log of a floorplan run: expected the initial "
                      "report (\"Initial ... Cost: <area>\") or " +
                          Quoted(kStartMarker));
        }
        break;
      }
      case Section::kMoves: {
        if (line == kEndMarker) {
          section = Section::kEnded;
          break;
        }
        LogMove move;
        bool verbose;
        if (!ParseMove(line, &move, &verbose, &scratch)) {
          if (!terminated) {
            return Fail(error, number,
                        "no final solution: the log breaks off in the middle "
                        "of a move line (was the run cut short?)");
          }
          return Fail(error, number,
                      "not a move line (move number, [expression,] cost, "
                      "[temperature,] Y or N)");
        }
        if (log->moves > 0 && verbose != log->verbose) {
          return Fail(error, number,
                      "this move line has a different number of fields than "
                      "the first one");
        }
        log->verbose = verbose;
        ++log->moves;
        move.line = number;
        move.text = line;
        if (onMove) onMove(move);
        break;
      }
      case Section::kEnded:
        if (line != kFinalSolution) {
          return Fail(error, number,
                      "expected " + Quoted(kFinalSolution) +
                          " after the end of the annealing");
        }
        section = Section::kExpression;
        break;
      case Section::kExpression:
        log->finalExpression.assign(line);
        log->finalExpressionLine = number;
        section = Section::kCost;
        break;
      case Section::kCost: {
        std::string_view before;
        if (!StartsWith(line, kFinalCost) ||
            !ParseTrailingCost(line, &before, &log->finalCost)) {
          if (!terminated) {
            return Fail(error, number,
                        "no final cost: the log breaks off in the middle of "
                        "the \"Cost: <area>\" line (was the run cut short?)");
          }
          return Fail(error, number,
                      "expected \"Cost: <area>\" after the final solution");
        }
        if (!terminated) {
          return Fail(error, number,
                      "the log breaks off in its last line, so its final "
                      "cost may be cut short (was the run cut short?)");
        }
        log->finalCostLine = number;
        section = Section::kDone;
        break;
      }
      case Section::kDone:
        return Fail(error, number,
                    "unexpected text after the final cost (two logs in one?)");
    }
  }
  uint64_t last = lines.number();
  switch (section) {
    case Section::kDone:
      return true;
    case Section::kExpression:
      return Fail(error, last,
                  "no final solution: the log ends right after " +
                      Quoted(kFinalSolution));
    case Section::kCost:
      return Fail(error, last,
                  "no final cost: the log ends before the \"Cost: <area>\" "
                  "line of the final solution");
    default:
      if (last == 0)
        return Fail(error, 0, "no final solution: the log is empty");
      return Fail(error, last,
                  "no final solution: the log ends before " +
                      Quoted(kFinalSolution) + " (was the run cut short?)");
  }
}
