#include "report/run_log.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kStartMarker = "***Start of Simulated Annealing***";
constexpr std::string_view kEndMarker = "***End of Simulated Annealing***";
constexpr std::string_view kFinalSolution = "Final solution:";
constexpr std::string_view kCostLabel = "Cost: ";

// Lines of any length from a stream read in large blocks. A line is handed
// out without its line feed (and without a carriage return before it).
class LogLines {
 public:
  explicit LogLines(FILE* in) : in_(in) {}

  // False at the end of the stream. `terminated` tells whether the line
  // ended in a line feed, which only the last line of a cut-off log lacks.
  bool Next(std::string_view* line, bool* terminated) {
    carried_.clear();
    for (;;) {
      if (at_ == length_) {
        length_ = ended_ ? 0 : fread(block_, 1, sizeof block_, in_);
        at_ = 0;
        if (length_ == 0) {
          ended_ = true;
          if (carried_.empty()) return false;
          *terminated = false;
          *line = Trimmed(carried_);
          ++number_;
          return true;
        }
      }
      const char* begin = block_ + at_;
      const void* feed = std::memchr(begin, '\n', length_ - at_);
      if (feed == nullptr) {
        carried_.append(begin, length_ - at_);
        at_ = length_;
        continue;
      }
      size_t size = static_cast<size_t>(static_cast<const char*>(feed) - begin);
      at_ += size + 1;
      ++number_;
      *terminated = true;
      if (carried_.empty()) {
        *line = Trimmed(std::string_view(begin, size));
      } else {
        carried_.append(begin, size);
        *line = Trimmed(carried_);
      }
      return true;
    }
  }

  uint64_t number() const { return number_; }

 private:
  static std::string_view Trimmed(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  FILE* in_;
  char block_[1 << 16];
  size_t length_ = 0;
  size_t at_ = 0;
  bool ended_ = false;
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
  const char* end = token.data() + token.size();
  auto [stop, status] = std::from_chars(token.data(), end, *value);
  return !token.empty() && status == std::errc() && stop == end;
}

// Splits at spaces and tabs; false when there are more than `capacity`.
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

// "... Cost: N" at the end of a line, as the initial and final reports end.
bool ParseTrailingCost(std::string_view line, int64_t* cost) {
  size_t label = line.rfind(kCostLabel);
  if (label == std::string_view::npos) return false;
  std::string_view number = line.substr(label + kCostLabel.size());
  while (!number.empty() && (number.back() == ' ' || number.back() == '\t')) {
    number.remove_suffix(1);
  }
  return ParseInteger(number, cost);
}

// One move line: "number cost Y|N", or "number expression cost T Y|N".
bool ParseMove(std::string_view line, bool* withTemperature, int64_t* cost,
               double* temperature, std::string* scratch) {
  std::string_view fields[5];
  size_t count = SplitFields(line, fields, 5);
  if (count != 3 && count != 5) return false;
  int64_t number;
  if (!ParseInteger(fields[0], &number)) return false;
  std::string_view verdict = fields[count - 1];
  if (verdict != "Y" && verdict != "N") return false;
  if (!ParseInteger(fields[count == 3 ? 1 : 2], cost)) return false;
  *withTemperature = count == 5;
  *temperature = 0;
  if (count == 5) {
    scratch->assign(fields[3]);
    char* end = nullptr;
    *temperature = std::strtod(scratch->c_str(), &end);
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

}  // namespace

bool ReadRunLog(FILE* in, RunLog* log, LogError* error) {
  LogLines lines(in);
  Section section = Section::kHeader;
  bool sawMove = false;
  std::string scratch;
  std::string_view line;
  bool terminated = true;
  while (lines.Next(&line, &terminated)) {
    uint64_t number = lines.number();
    if (section != Section::kExpression && IsBlank(line)) continue;
    switch (section) {
      case Section::kHeader:
        if (line == kStartMarker) {
          section = Section::kMoves;
        } else if (line == kEndMarker) {
          section = Section::kEnded;
        } else if (StartsWith(line, "Initial") &&
                   ParseTrailingCost(line, &log->initialCost)) {
          log->hasInitialCost = true;
          log->curve.SetInitialCost(log->initialCost);
        } else {
          return Fail(error, number,
                      "not the log of a floorplan run: expected the initial "
                      "report (\"Initial ... Cost: <area>\") or \"" +
                          std::string(kStartMarker) + "\"");
        }
        break;
      case Section::kMoves: {
        if (line == kEndMarker) {
          section = Section::kEnded;
          break;
        }
        bool withTemperature;
        int64_t cost;
        double temperature;
        if (!ParseMove(line, &withTemperature, &cost, &temperature, &scratch)) {
          if (!terminated) {
            return Fail(error, number,
                        "no final solution: the log breaks off in the middle "
                        "of a move line (was the run cut short?)");
          }
          return Fail(error, number,
                      "not a move line (move number, [expression,] cost, "
                      "[temperature,] Y or N)");
        }
        if (sawMove && withTemperature != log->hasTemperature) {
          return Fail(error, number,
                      "this move line has a different number of fields than "
                      "the first one");
        }
        sawMove = true;
        log->hasTemperature = withTemperature;
        log->curve.Add(cost, temperature);
        break;
      }
      case Section::kEnded:
        if (line != kFinalSolution) {
          return Fail(error, number,
                      "expected \"" + std::string(kFinalSolution) +
                          "\" after the end of the annealing");
        }
        section = Section::kExpression;
        break;
      case Section::kExpression:
        log->finalExpression.assign(line);
        log->finalExpressionLine = number;
        section = Section::kCost;
        break;
      case Section::kCost:
        if (!StartsWith(line, kCostLabel) ||
            !ParseTrailingCost(line, &log->finalCost)) {
          return Fail(error, number,
                      "expected \"Cost: <area>\" after the final solution");
        }
        log->finalCostLine = number;
        section = Section::kDone;
        break;
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
                  "no final solution: the log ends right after \"" +
                      std::string(kFinalSolution) + "\"");
    case Section::kCost:
      return Fail(error, last,
                  "no final cost: the log ends before the \"Cost: <area>\" "
                  "line of the final solution");
    default:
      if (last == 0)
        return Fail(error, 0, "no final solution: the log is empty");
      return Fail(error, last,
                  "no final solution: the log ends before \"" +
                      std::string(kFinalSolution) +
                      "\" (was the run cut short?)");
  }
}
