#include "search/search_budget.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A model of a microsecond a move and nothing a run.
const RunTimeModel kPerMove(0.0, 1e-6);

// Before any run finished nothing can be estimated: runs start until the
// search's end, which keeps a small margin for the summary.
TEST(SearchBudgetTest, WithoutFinishedRunsAnyRunStartsUntilTheEnd) {
  for (LogWork log : {LogWork::kNone, LogWork::kFromRecord, LogWork::kReplay}) {
    SearchBudget budget(10, log, kPerMove);
    EXPECT_LT(budget.SearchEnd(), 10);
    EXPECT_GT(budget.SearchEnd(), 9);
    EXPECT_TRUE(budget.MayStart(1000000000000, 0));
    EXPECT_TRUE(budget.MayStart(1, budget.SearchEnd() - 0.01));
    EXPECT_FALSE(budget.MayStart(1, budget.SearchEnd()));
  }
}

// The run of most moves made a million moves a second, as the model says (a
// short one, slowed by its start, only half that): a run of two million
// moves takes two seconds, and starts only when it ends by the search's end.
TEST(SearchBudgetTest, RunsStartOnlyWhenTheyEndInTime) {
  SearchBudget budget(10, LogWork::kNone, kPerMove);
  budget.NoteRun(3000000, 3.0, true);
  budget.NoteRun(1000000, 2.0, false);
  double end = budget.SearchEnd();
  EXPECT_TRUE(budget.MayStart(2000000, end - 2.01));
  EXPECT_FALSE(budget.MayStart(2000000, end - 1.99));
  EXPECT_TRUE(budget.MayStart(10000, end - 0.02));
}

// With a log of a small file the winner is replayed after the search, which
// may take longer than the longest run did: the search ends that much
// earlier, and a run longer than all before must leave room for its own
// replay. A log written from a record takes a small part of that.
TEST(SearchBudgetTest, TheLogReservesTheWinnersReplay) {
  SearchBudget plain(60, LogWork::kNone, kPerMove);
  SearchBudget logged(60, LogWork::kReplay, kPerMove);
  SearchBudget recorded(60, LogWork::kFromRecord, kPerMove);
  for (SearchBudget* budget : {&plain, &logged, &recorded}) {
    budget->NoteRun(5000000, 5.0, true);
    budget->NoteRun(2000000, 2.0, false);
  }
  EXPECT_LE(logged.SearchEnd(), plain.SearchEnd() - 5.0);
  EXPECT_LT(recorded.SearchEnd(), plain.SearchEnd());
  EXPECT_GT(recorded.SearchEnd(), plain.SearchEnd() - 1.0);
  // A 5-second run started 5 seconds before the plain end fits there, but
  // not with a log.
  EXPECT_TRUE(plain.MayStart(5000000, plain.SearchEnd() - 5.0));
  EXPECT_FALSE(logged.MayStart(5000000, plain.SearchEnd() - 5.0));
  EXPECT_TRUE(logged.MayStart(5000000, logged.SearchEnd() - 5.0));
  // A 15-second run needs its own replay's time on top of its own, and a
  // replay takes at least as long as its run: the end then comes at least
  // 10 seconds earlier than with the 5-second one. Room for the run and 9
  // seconds more is too little; started at once, the run and a replay of
  // twice its length fit in the 60 seconds.
  EXPECT_FALSE(logged.MayStart(15000000, logged.SearchEnd() - 15.0));
  EXPECT_FALSE(logged.MayStart(15000000, logged.SearchEnd() - 24.0));
  EXPECT_TRUE(logged.MayStart(15000000, 0.0));

  // Once the 2-second run wins, only its replay is kept back: the search
  // ends 3 seconds later than for the 5-second one.
  double before = logged.SearchEnd();
  logged.NoteRun(2000000, 2.0, true);
  EXPECT_NEAR(before + 3 * RunTimeModel(0.0, 1e-6).replayFactor,
              logged.SearchEnd(), 1e-9);
}

// A run's start costs the same whatever its length: a short run that took
// half again its moves' time, on a machine whose moves go at the model's
// speed, says nothing of a slower machine. A machine twice as slow as the
// model makes every run twice as long.
TEST(SearchBudgetTest, TheModelsCostOfARunScalesWithTheMachine) {
  const RunTimeModel model(0.5, 1e-6);
  SearchBudget asModel(60, LogWork::kNone, model);
  asModel.NoteRun(1000000, 1.5, true);
  double end = asModel.SearchEnd();
  EXPECT_TRUE(asModel.MayStart(20000000, end - 20.6));
  EXPECT_FALSE(asModel.MayStart(20000000, end - 20.4));

  SearchBudget slower(60, LogWork::kNone, model);
  slower.NoteRun(1000000, 3.0, true);
  EXPECT_TRUE(slower.MayStart(20000000, end - 41.1));
  EXPECT_FALSE(slower.MayStart(20000000, end - 40.9));
}

// The search ends before its budget, but no further from it than the
// larger of a second and 3 % of the budget, however small or large.
TEST(SearchBudgetTest, TheSearchEndsNearItsBudget) {
  for (double seconds : {0.05, 1.0, 10.0, 60.0, 3600.0}) {
    SearchBudget budget(seconds, LogWork::kNone, kPerMove);
    EXPECT_EQ(std::max(1.0, 0.03 * seconds), budget.Tolerance());
    EXPECT_LT(budget.SearchEnd(), seconds);
    EXPECT_GT(budget.SearchEnd(), seconds - budget.Tolerance());
  }
}

}  // namespace
