// The runs of a search, made by worker threads that take the plan's runs in
// index order, skipping those the budget says cannot end in time. Every run
// is the logless `floorplan` run of its parameters and clock second
// (RunAtClockSecond with Logging::kOff), against the search's cost, and owns
// its Floorplans, random source and record of moves, so its cost does not
// depend on the threads.
//
// The winner is the finished run of least cost, the lowest index among equal
// costs: with a fixed number of runs that is one run whatever the timing. A
// run stopped before its end is thrown away, never counted. Only the records
// of the runs in progress and of the best finished run are kept.
//
// The pool owns its threads, the shared counters behind one mutex, the best
// run's record, and the stop flag every run reads; Stop() and the
// destructor end the workers.
#ifndef FLOORPLAN_SEARCH_RUN_POOL_H_
#define FLOORPLAN_SEARCH_RUN_POOL_H_

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "anneal/move_record.h"
#include "io/data_file.h"
#include "model/area.h"
#include "model/shape_cost.h"
#include "search/run_plan.h"
#include "search/search_budget.h"

// A run that ended by its own schedule: its index in the plan, its best
// cost, that best floorplan's shape and the moves it made.
struct FinishedRun {
  uint64_t index = 0;
  Area cost = 0;
  FloorplanShape shape;
  uint64_t moves = 0;
};

// What the search has at one moment, copied out of the pool: `best` is
// meaningful once runsDone > 0.
struct SearchState {
  uint64_t runsDone = 0;
  uint64_t longRunsDone = 0;
  FinishedRun best;
  // The moves the plan's first run (firstRun) has made so far, finished or
  // not: how far a search got when no run finished.
  uint64_t firstRunMoves = 0;
  // Whether the workers ended because every run was done or none could end
  // in time, before anybody stopped them.
  bool exhausted = false;
  // Whether a run found no memory for its work; the pool then stops.
  bool outOfMemory = false;
};

// What the pool makes: runs firstRun to firstRun + runLimit - 1, each to its
// end, or (runLimit 0) runs from firstRun on for as long as the budget
// allows; against `cost`; keeping a record of the moves when `record`.
struct PoolSettings {
  uint64_t firstRun = 0;
  uint64_t runLimit = 0;
  ShapeCost cost;
  bool record = false;
};

class RunPool {
 public:
  using Clock = std::chrono::steady_clock;

  // Deadlines count from `start`. The modules, plan and budget must outlive
  // the pool; `err` receives the annealer's messages, which a plan's runs
  // never give.
  RunPool(const std::vector<DataModule>& modules, const RunPlan& plan,
          SearchBudget* budget, const PoolSettings& settings,
          Clock::time_point start, FILE* err);
  ~RunPool();
  RunPool(const RunPool&) = delete;
  RunPool& operator=(const RunPool&) = delete;

  void Start(uint32_t jobs);

  // Waits until every worker has ended or `timeout` passes; true when they
  // all have.
  bool WaitFor(Clock::duration timeout);

  // Stops the runs in progress (they are thrown away), lets no other start
  // and waits for the workers.
  void Stop();

  SearchState State() const;
  // When the search should end (seconds since start), by the budget.
  double SearchEnd() const;
  // The best run's record, once the workers have ended; null without one.
  std::unique_ptr<MoveRecord> TakeBestRecord();

 private:
  void Work(uint32_t worker);
  double Elapsed() const;

  const std::vector<DataModule>& modules_;
  const RunPlan& plan_;
  SearchBudget* budget_;
  PoolSettings settings_;
  Clock::time_point start_;
  FILE* err_;

  std::atomic<int> stop_{0};  // read by every run between moves
  std::atomic<uint64_t> next_{0};
  // The moves of the plan's first run, as the annealer counts them.
  std::atomic<uint64_t> firstRunMoves_{0};
  std::vector<std::thread> threads_;

  mutable std::mutex mutex_;
  std::condition_variable ended_;
  uint32_t working_ = 0;  // workers not yet ended
  SearchState state_;
  std::unique_ptr<MoveRecord> bestRecord_;
};

#endif  // FLOORPLAN_SEARCH_RUN_POOL_H_
