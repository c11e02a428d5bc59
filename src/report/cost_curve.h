// The course of a run, thinned as it is read: the moves fall into at most
// `limit` columns of consecutive moves, all columns but the last holding the
// same number of moves. When a new column would pass the limit, neighbouring
// columns are merged in pairs and the column span doubles, so a log of any
// length is held in memory bounded by the limit, and each column keeps what
// a pixel column of a plot shows: the least, greatest and last cost of its
// moves, the best cost so far and the temperature at its end.
#ifndef FLOORPLAN_REPORT_COST_CURVE_H_
#define FLOORPLAN_REPORT_COST_CURVE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/area.h"

// One column of the curve: a run of consecutive moves, summarised.
struct CurveColumn {
  uint64_t firstMove = 0;  // moves are counted from 1 in log order
  uint64_t lastMove = 0;
  Area minCost = 0;
  Area maxCost = 0;
  Area lastCost = 0;
  Area bestCost = 0;       // best so far, the initial cost included
  double temperature = 0;  // of the column's last move, when the log has it
};

// Owns its columns; fed one move at a time, in log order.
class CostCurve {
 public:
  // `limit` is at least 2.
  explicit CostCurve(size_t limit);

  // The cost of the floorplan the run started from, which the best so far
  // starts with. Without it the best starts at the first move.
  void SetInitialCost(Area cost);
  void Add(Area cost, double temperature);

  const std::vector<CurveColumn>& columns() const { return columns_; }
  uint64_t moves() const { return moves_; }

 private:
  void MergePairs();

  size_t limit_;
  uint64_t span_ = 1;  // moves per full column
  uint64_t moves_ = 0;
  bool haveBest_ = false;
  Area best_ = 0;
  std::vector<CurveColumn> columns_;
};

#endif  // FLOORPLAN_REPORT_COST_CURVE_H_
