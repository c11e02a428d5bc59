// What the report takes from the log `floorplan` writes on standard output:
// the initial cost, every move's cost (and temperature, which the log shows
// for files of fewer than 20 modules), the final solution and its cost, with
// the lines they stand on. The log is read as a stream, in one pass, so a log
// of millions of moves costs no more memory than its thinned curve.
#ifndef FLOORPLAN_REPORT_RUN_LOG_H_
#define FLOORPLAN_REPORT_RUN_LOG_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "report/cost_curve.h"

// Everything taken from one log; a plain value owned by the reader's caller.
struct RunLog {
  explicit RunLog(size_t curveColumns) : curve(curveColumns) {}

  bool hasInitialCost = false;
  int64_t initialCost = 0;
  bool hasTemperature = false;  // the move lines carry expression and T
  CostCurve curve;
  std::string finalExpression;
  uint64_t finalExpressionLine = 0;  // lines are counted from 1
  int64_t finalCost = 0;
  uint64_t finalCostLine = 0;
};

// The first problem met, and the line it is on (0 when it is not one line's).
struct LogError {
  uint64_t line = 0;
  std::string message;
};

// Reads the whole of `in` (which stays the caller's). False, with the error,
// when a line is not what a log holds at that point or when the log ends
// before the final solution and its cost.
bool ReadRunLog(FILE* in, RunLog* log, LogError* error);

#endif  // FLOORPLAN_REPORT_RUN_LOG_H_
