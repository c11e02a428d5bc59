#include "search/search_budget.h"

#include <algorithm>

namespace {

// The replay's start: loading the data file and opening the log.
constexpr double kReplayStartup = 0.3;
// Printing the summary and leaving.
constexpr double kSummaryMargin = 0.2;
// Neither margin takes more than this share of a short budget.
constexpr double kLargestMarginShare = 0.05;

}  // namespace

SearchBudget::SearchBudget(double budgetSeconds, bool replayForLog,
                           const RunTimeModel& model)
    : budgetSeconds_(budgetSeconds),
      replayForLog_(replayForLog),
      model_(model) {}

void SearchBudget::NoteRun(uint64_t moves, double seconds) {
  if (moves > moves_) {
    moves_ = moves;
    seconds_ = seconds;
  }
  longestRun_ = std::max(longestRun_, seconds);
}

double SearchBudget::EndWith(double longestRun) const {
  double margin = kLargestMarginShare * budgetSeconds_;
  double end = budgetSeconds_ - std::min(kSummaryMargin, margin);
  if (replayForLog_) {
    end -= model_.replayFactor * longestRun + std::min(kReplayStartup, margin);
  }
  return end;
}

double SearchBudget::SearchEnd() const { return EndWith(longestRun_); }

bool SearchBudget::MayStart(uint64_t expectedMoves, double elapsed) const {
  if (moves_ == 0 || seconds_ <= 0) return elapsed < SearchEnd();
  double machine = seconds_ / model_.Seconds(moves_);
  double estimate = machine * model_.Seconds(expectedMoves);
  // The run may become the winner, and then its own replay must fit too.
  return elapsed + estimate <= EndWith(std::max(longestRun_, estimate));
}
