#include "report/cost_curve.h"

#include <algorithm>

CostCurve::CostCurve(size_t limit) : limit_(std::max<size_t>(limit, 2)) {
  columns_.reserve(limit_);
}

void CostCurve::SetInitialCost(Area cost) {
  best_ = haveBest_ ? std::min(best_, cost) : cost;
  haveBest_ = true;
}

void CostCurve::Add(Area cost, double temperature) {
  ++moves_;
  best_ = haveBest_ ? std::min(best_, cost) : cost;
  haveBest_ = true;
  bool lastIsFull =
      columns_.empty() ||
      columns_.back().lastMove - columns_.back().firstMove + 1 == span_;
  if (lastIsFull && columns_.size() == limit_) {
    MergePairs();
    lastIsFull =
        columns_.back().lastMove - columns_.back().firstMove + 1 == span_;
  }
  if (lastIsFull) {
    CurveColumn column;
    column.firstMove = moves_;
    column.minCost = cost;
    column.maxCost = cost;
    columns_.push_back(column);
  }
  CurveColumn& column = columns_.back();
  column.lastMove = moves_;
  column.minCost = std::min(column.minCost, cost);
  column.maxCost = std::max(column.maxCost, cost);
  column.lastCost = cost;
  column.bestCost = best_;
  column.temperature = temperature;
}

void CostCurve::MergePairs() {
  size_t merged = 0;
  for (size_t k = 0; k < columns_.size(); k += 2) {
    CurveColumn column = columns_[k];
    if (k + 1 < columns_.size()) {
      const CurveColumn& later = columns_[k + 1];
      column.lastMove = later.lastMove;
      column.minCost = std::min(column.minCost, later.minCost);
      column.maxCost = std::max(column.maxCost, later.maxCost);
      column.lastCost = later.lastCost;
      column.bestCost = later.bestCost;
      column.temperature = later.temperature;
    }
    columns_[merged++] = column;
  }
  columns_.resize(merged);
  span_ *= 2;
}
