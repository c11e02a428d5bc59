#include "search/run_pool.h"

#include <new>

#include "anneal/clock_second_run.h"

RunPool::RunPool(const std::vector<DataModule>& modules, const RunPlan& plan,
                 SearchBudget* budget, const PoolSettings& settings,
                 Clock::time_point start, FILE* err)
    : modules_(modules),
      plan_(plan),
      budget_(budget),
      settings_(settings),
      start_(start),
      err_(err) {}

RunPool::~RunPool() { Stop(); }

void RunPool::Start(uint32_t jobs) {
  std::lock_guard<std::mutex> lock(mutex_);
  working_ += jobs;
  for (uint32_t i = 0; i < jobs; ++i) {
    threads_.emplace_back([this, i] { Work(i); });
  }
}

bool RunPool::WaitFor(Clock::duration timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return ended_.wait_for(lock, timeout, [this] { return working_ == 0; });
}

void RunPool::Stop() {
  stop_.store(1);
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

SearchState RunPool::State() const {
  std::lock_guard<std::mutex> lock(mutex_);
  SearchState state = state_;
  state.firstRunMoves = firstRunMoves_.load(std::memory_order_relaxed);
  return state;
}

double RunPool::SearchEnd() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return budget_->SearchEnd();
}

std::unique_ptr<MoveRecord> RunPool::TakeBestRecord() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::move(bestRecord_);
}

double RunPool::Elapsed() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

void RunPool::Work(uint32_t) {
  bool exhausted = false;
  uint64_t runLimit = settings_.runLimit;
  while (stop_.load() == 0) {
    uint64_t offset = next_.fetch_add(1);
    if (runLimit != 0 && offset >= runLimit) {
      exhausted = true;
      break;
    }
    uint64_t index = settings_.firstRun + offset;
    PlannedRun run = plan_.Run(index);
    if (runLimit == 0) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!budget_->MayStart(run.expectedMoves, Elapsed())) {
        // A shorter run further on may still fit; once the shortest does
        // not, none will.
        if (!run.shortest) continue;
        exhausted = true;
        break;
      }
    }
    RunOptions options;
    options.out = nullptr;  // the logless path writes nothing
    options.err = err_;
    options.logging = Logging::kOff;
    options.cost = settings_.cost;
    options.stop = &stop_;
    if (offset == 0) options.movesDone = &firstRunMoves_;
    std::unique_ptr<MoveRecord> record;
    if (settings_.record) {
      record = std::make_unique<MoveRecord>();
      options.record = record.get();
    }
    double started = Elapsed();
    AnnealingOutcome outcome;
    try {
      outcome = RunAtClockSecond(modules_, run.parameters, run.clock, options);
    } catch (const std::bad_alloc&) {
      // A thread cannot let it pass: the process would abort. The search
      // tells it instead, and stops.
      std::lock_guard<std::mutex> lock(mutex_);
      state_.outOfMemory = true;
      stop_.store(1);
      break;
    }
    if (outcome.status != AnnealingStatus::kRan) continue;
    double seconds = Elapsed() - started;

    std::lock_guard<std::mutex> lock(mutex_);
    ++state_.runsDone;
    if (plan_.IsLongRun(index)) ++state_.longRunsDone;
    FinishedRun& best = state_.best;
    bool wins = state_.runsDone == 1 || outcome.bestCost < best.cost ||
                (outcome.bestCost == best.cost && index < best.index);
    budget_->NoteRun(outcome.moves, seconds, wins);
    if (wins) {
      best.index = index;
      best.cost = outcome.bestCost;
      best.shape = outcome.bestShape;
      best.moves = outcome.moves;
      bestRecord_ = std::move(record);
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  // Every worker reaches the same end of the runs, so one that did tells.
  state_.exhausted = state_.exhausted || exhausted;
  --working_;
  ended_.notify_all();
}
