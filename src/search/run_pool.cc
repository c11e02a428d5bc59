#include "search/run_pool.h"

#include "anneal/clock_second_run.h"

RunPool::RunPool(const std::vector<DataModule>& modules, const RunPlan& plan,
                 SearchBudget* budget, uint64_t runLimit,
                 Clock::time_point start, FILE* err)
    : modules_(modules),
      plan_(plan),
      budget_(budget),
      runLimit_(runLimit),
      start_(start),
      err_(err) {}

RunPool::~RunPool() { Stop(); }

void RunPool::Start(uint32_t jobs) {
  std::lock_guard<std::mutex> lock(mutex_);
  working_ += jobs;
  for (uint32_t i = 0; i < jobs; ++i) threads_.emplace_back([this] { Work(); });
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
  return state_;
}

double RunPool::SearchEnd() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return budget_->SearchEnd();
}

double RunPool::Elapsed() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

void RunPool::Work() {
  while (stop_.load() == 0) {
    uint64_t index = next_.fetch_add(1);
    if (runLimit_ != 0 && index >= runLimit_) break;
    PlannedRun run = plan_.Run(index);
    if (runLimit_ == 0) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!budget_->MayStart(run.expectedMoves, Elapsed())) {
        // A shorter run further on may still fit; once the shortest does
        // not, none will.
        if (!run.shortest) continue;
        break;
      }
    }
    RunOptions options;
    options.out = nullptr;  // the logless path writes nothing
    options.err = err_;
    options.logging = Logging::kOff;
    options.stop = &stop_;
    double started = Elapsed();
    AnnealingOutcome outcome =
        RunAtClockSecond(modules_, run.parameters, run.clock, options);
    if (outcome.status != AnnealingStatus::kRan) continue;
    double seconds = Elapsed() - started;

    std::lock_guard<std::mutex> lock(mutex_);
    budget_->NoteRun(outcome.moves, seconds);
    ++state_.runsDone;
    FinishedRun& best = state_.best;
    if (state_.runsDone == 1 || outcome.bestCost < best.cost ||
        (outcome.bestCost == best.cost && index < best.index)) {
      best.index = index;
      best.cost = outcome.bestCost;
      best.moves = outcome.moves;
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  --working_;
  ended_.notify_all();
}
