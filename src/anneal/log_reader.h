// Reads back the log the annealer writes (log_format.h): the initial cost,
// every move, the final solution and its cost, with the lines they stand on.
// The log is read as a stream in one pass and every move is handed to the
// caller as it is read, so a log of millions of moves costs no more memory
// than its longest line, which the caller may bound.
#ifndef FLOORPLAN_ANNEAL_LOG_READER_H_
#define FLOORPLAN_ANNEAL_LOG_READER_H_

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "model/area.h"

// One move line; the views last until the next line is read.
struct LogMove {
  uint64_t line = 0;            // lines are counted from 1
  std::string_view text;        // the whole line, without its line end
  int64_t number = 0;           // the move number
  std::string_view expression;  // empty in the short form
  Area cost = 0;
  std::string_view temperatureText;  // empty in the short form
  double temperature = 0;
  bool accepted = false;
};

// What a whole log says, apart from its moves.
struct RunLog {
  bool hasInitialCost = false;
  Area initialCost = 0;
  std::string initialExpression;  // empty in the short form
  bool verbose = false;           // the move lines carry expression and T
  uint64_t moves = 0;
  std::string finalExpression;
  uint64_t finalExpressionLine = 0;
  Area finalCost = 0;
  uint64_t finalCostLine = 0;
};

// The first problem met, and the line it is on (0 when it is not one line's).
struct LogError {
  uint64_t line = 0;
  std::string message;
};

using MoveVisitor = std::function<void(const LogMove&)>;

// Reads the whole of `in` (which stays the caller's), calling `onMove` (when
// set) for every move line. False, with the error, when a line is not what a
// log holds at that point, when a line is longer than `longestLine` (0: no
// bound), when the stream cannot be read, or when the log ends before the
// final solution and its cost.
bool ReadRunLog(FILE* in, size_t longestLine, const MoveVisitor& onMove,
                RunLog* log, LogError* error);

#endif  // FLOORPLAN_ANNEAL_LOG_READER_H_
