// The texts of the annealing log on standard output, in one place for the
// writer (move_log.h) and every reader (log_reader.h, the tests, the
// benchmarks). A log is:
//
//   "Initial Floorplan: " EXPRESSION " Cost: " AREA      (or "Initial Cost: ")
//   ""
//   "***Start of Simulated Annealing***"
//   ""
//   one line per move: NUMBER, [EXPRESSION,] COST, [TEMPERATURE,] Y or N
//   ""
//   "***End of Simulated Annealing***"
//   "Final solution:"
//   EXPRESSION
//   ""
//   "Cost: " AREA
//
// The move number is written "%i " and the cost "  %i ", each padded with
// spaces to kFieldWidth characters; the expressions and the temperature
// ("%f ") appear only in the verbose form, for files of fewer than
// kVerboseBelow modules.
#ifndef FLOORPLAN_ANNEAL_LOG_FORMAT_H_
#define FLOORPLAN_ANNEAL_LOG_FORMAT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr std::string_view kInitialVerbose = "Initial Floorplan: ";
constexpr std::string_view kInitialShort = "Initial";
constexpr std::string_view kInitialCost = " Cost: ";
constexpr std::string_view kStartMarker = "***Start of Simulated Annealing***";
constexpr std::string_view kEndMarker = "***End of Simulated Annealing***";
constexpr std::string_view kFinalSolution = "Final solution:";
constexpr std::string_view kFinalCost = "Cost: ";
constexpr std::string_view kAccepted = "Y";
constexpr std::string_view kRejected = "N";

// The move number and the cost fill at least this many characters.
constexpr size_t kFieldWidth = 10;
// The cost field begins with this many spaces.
constexpr size_t kCostIndent = 2;

// Runs of fewer modules than this write expressions and temperatures.
constexpr uint32_t kVerboseBelow = 20;

inline bool IsVerbose(uint32_t modules) { return modules < kVerboseBelow; }

// A bound on the length of every line of a log whose expressions are
// `expressionLength` characters long. The longest is a verbose move line:
// the move number (at most 11 characters with its space), the expression,
// the cost (at most 2 + 40 + 1), the temperature ("%f " of the largest
// double: 309 digits, the point, six decimals and a space) and the verdict,
// well within the 512 characters added.
constexpr size_t LongestLogLine(size_t expressionLength) {
  return expressionLength + 512;
}

#endif  // FLOORPLAN_ANNEAL_LOG_FORMAT_H_
