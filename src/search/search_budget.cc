#include "search/search_budget.h"

#include <algorithm>

namespace {

// The command may end this far from its budget, either side: the larger of
// a second and this share of it.
constexpr double kToleranceShare = 0.03;
constexpr double kLeastTolerance = 1.0;
// The search aims to end this share of the tolerance before the budget:
// what it cannot know in advance (the last moves of the runs it stops,
// the summary, an estimate of the log's time) falls on either side.
constexpr double kAimShare = 0.4;
// Opening the log and starting its writer; a replay also loads the data.
constexpr double kLogStartup = 0.05;

}  // namespace

SearchBudget::SearchBudget(double budgetSeconds, LogWork log,
                           const RunTimeModel& model)
    : budgetSeconds_(budgetSeconds), log_(log), model_(model) {}

void SearchBudget::NoteRun(uint64_t moves, double seconds, bool best) {
  if (moves > moves_) {
    moves_ = moves;
    seconds_ = seconds;
  }
  if (best) {
    bestMoves_ = moves;
    bestSeconds_ = seconds;
  }
}

double SearchBudget::Tolerance() const {
  return std::max(kLeastTolerance, kToleranceShare * budgetSeconds_);
}

// How much slower than the model this machine runs, by the finished run of
// most moves; 1 before any.
double SearchBudget::Machine() const {
  if (moves_ == 0 || seconds_ <= 0) return 1;
  return seconds_ / model_.Seconds(moves_);
}

double SearchBudget::EndWith(uint64_t moves, double seconds) const {
  // Within a tiny budget the aim is what is left of it.
  double end =
      budgetSeconds_ - std::min(kAimShare * Tolerance(), 0.2 * budgetSeconds_);
  switch (log_) {
    case LogWork::kNone:
      break;
    case LogWork::kFromRecord:
      // Writing lines goes at the machine's speed, as the moves do.
      end -= kLogStartup +
             Machine() * model_.recordLineSeconds * static_cast<double>(moves);
      break;
    case LogWork::kReplay:
      end -= kLogStartup + model_.replayFactor * seconds;
      break;
  }
  return end;
}

double SearchBudget::SearchEnd() const {
  return EndWith(bestMoves_, bestSeconds_);
}

bool SearchBudget::EndsEarly(double elapsed) const {
  // The log takes what SearchEnd() leaves it, and the end is aimed at
  // kAimShare of the tolerance before the budget.
  return elapsed < SearchEnd() - (1 - kAimShare) * Tolerance();
}

bool SearchBudget::MayStart(uint64_t expectedMoves, double elapsed) const {
  if (moves_ == 0 || seconds_ <= 0) return elapsed < SearchEnd();
  double estimate = Machine() * model_.Seconds(expectedMoves);
  // The run may become the winner, and then its own log must fit too; and
  // it must end before the search stops for the present winner's log.
  return elapsed + estimate <= EndWith(std::max(bestMoves_, expectedMoves),
                                       std::max(bestSeconds_, estimate));
}
