#include "anneal/annealer.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "anneal/acceptance.h"
#include "anneal/candidates.h"
#include "anneal/log_format.h"
#include "anneal/move_log.h"
#include "anneal/move_record.h"
#include "model/staircase.h"
#include "random/random.h"

namespace {

// The state of one run: the current Floorplan and the candidate being tried
// (both behind Candidates), a copy of the cheapest Floorplan seen, the
// schedule's counters and the log.
class Annealing {
 public:
  Annealing(const AnnealingParameters& parameters,
            std::unique_ptr<Floorplan> E0, RandomSource* random,
            const RunOptions& options);
  AnnealingOutcome Run();

 private:
  void RunTemperature(uint32_t* moves, uint32_t* uphill, uint32_t* rejects);
  bool ShouldStop() const {
    return log_->error() != 0 ||
           (stop_ != nullptr && stop_->load(std::memory_order_relaxed) != 0);
  }
  void ApplySwapModules(Floorplan* candidate);
  void ApplyComplementChain(Floorplan* candidate);
  void ApplySwapModuleAndCut(Floorplan* candidate);
  bool SwapModulesCanSucceed(const Floorplan& candidate) const;

  AnnealingParameters parameters_;
  ShapeCost cost_;
  double T_;
  uint32_t weightSum_;
  RandomSource* random_;
  const std::atomic<int>* stop_;
  MoveRecord* record_;
  std::atomic<uint64_t>* movesDone_;
  std::unique_ptr<MoveLog> log_;
  std::unique_ptr<Candidates> candidates_;
  std::unique_ptr<Floorplan> best_;
  Area currentCost_ = 0;
  Area bestCost_ = 0;

  uint32_t N_;
  uint32_t K_;
  uint32_t movesLimit_;
  bool verbose_;
  uint32_t moveNumber_ = 0;  // written as a signed 32-bit value
  uint64_t moves_ = 0;

  // identifierPresent_[id] tells whether a module carries `id`, for every id
  // an M1 draw can produce: a draw of an absent id cannot succeed, so it is
  // not tried. drawableModules_ counts the modules with such an id.
  std::vector<bool> identifierPresent_;
  uint32_t drawableModules_ = 0;
  // How many positions, from the first, an M3 draw can produce.
  uint64_t reachablePositions_ = 0;
};

std::unique_ptr<MoveLog> MakeLog(const RunOptions& options) {
  if (options.logging == Logging::kOff) return MakeSilentLog();
  if (options.hotPath == HotPath::kPlain) return MakePrintfLog(options.out);
  return MakeBufferedLog(options.out);
}

Annealing::Annealing(const AnnealingParameters& parameters,
                     std::unique_ptr<Floorplan> E0, RandomSource* random,
                     const RunOptions& options)
    : parameters_(parameters),
      cost_(options.cost),
      T_(parameters.T0),
      weightSum_(parameters.probM1 + parameters.probM2 + parameters.probM3),
      random_(random),
      stop_(options.stop),
      record_(options.record),
      movesDone_(options.movesDone),
      log_(MakeLog(options)) {
  N_ = E0->numModules;
  K_ = E0->numOperators;
  movesLimit_ = MovesLimit(N_);
  verbose_ = IsVerbose(N_);
  reachablePositions_ = uint64_t{LargestInRange(0, N_ + K_)} + 1;
  best_ = E0->Copy();

  uint32_t largest = LargestInRange(1, N_);
  identifierPresent_.assign(largest + 1, false);
  for (const Element* e = E0->head; e != nullptr; e = e->next) {
    if (!e->isCut && e->value >= 1 &&
        static_cast<uint32_t>(e->value) <= largest) {
      identifierPresent_[static_cast<size_t>(e->value)] = true;
      ++drawableModules_;
    }
  }
  candidates_ = options.hotPath == HotPath::kPlain
                    ? MakeCopyingCandidates(std::move(E0), options.cost)
                    : MakeRecordingCandidates(std::move(E0), options.cost);
  currentCost_ = bestCost_ = candidates_->Start();
}

AnnealingOutcome Annealing::Run() {
  WriteInitialReport(log_.get(), verbose_ ? &candidates_->current() : nullptr,
                     currentCost_);
  if (record_ != nullptr) record_->Start(currentCost_);

  while (!ShouldStop()) {
    uint32_t moves = 0;
    uint32_t uphill = 0;
    uint32_t rejects = 0;
    RunTemperature(&moves, &uphill, &rejects);
    double previousT = T_;
    T_ *= parameters_.lambda;
    if (static_cast<double>(rejects) > 0.99 * static_cast<double>(moves)) break;
    if (T_ < parameters_.Tf) break;
    // Near the smallest subnormals lowering can leave T as it was; with Tf at
    // or below zero it would then never fall below Tf.
    if (T_ == previousT && T_ != 0) break;
  }

  AnnealingOutcome outcome;
  outcome.bestCost = bestCost_;
  StaircaseWorkspace work;
  EvaluateStaircase(best_->head, nullptr, &work);
  outcome.bestShape = cost_.Best(work.corners.data(), work.corners.size());
  outcome.moves = moves_;
  if (log_->error() == 0) WriteFinalReport(log_.get(), *best_, bestCost_);
  if (record_ != nullptr) record_->Finish(*best_, bestCost_);
  if (log_->error() != 0) {
    outcome.status = AnnealingStatus::kOutputFailed;
    outcome.outputError = log_->error();
  } else if (stop_ != nullptr && stop_->load() != 0) {
    outcome.status = AnnealingStatus::kInterrupted;
  } else {
    outcome.status = AnnealingStatus::kRan;
  }
  return outcome;
}

void Annealing::RunTemperature(uint32_t* moves, uint32_t* uphill,
                               uint32_t* rejects) {
  // Computed wide: 2 x movesLimit does not wrap for any module count.
  uint64_t movesLimit = movesLimit_;
  do {
    uint32_t r = random_->RandomRange(1, weightSum_);
    Floorplan* candidate = candidates_->StartCandidate();
    if (r <= parameters_.probM1) {
      ApplySwapModules(candidate);
    } else if (r - parameters_.probM1 <= parameters_.probM2) {
      ApplyComplementChain(candidate);
    } else {
      ApplySwapModuleAndCut(candidate);
    }

    ++moveNumber_;
    ++moves_;
    if (movesDone_ != nullptr) {
      movesDone_->store(moves_, std::memory_order_relaxed);
    }
    log_->MoveNumber(static_cast<int32_t>(moveNumber_));
    if (verbose_) log_->Expression(*candidate);
    Area cost = candidates_->CandidateCost();
    log_->Cost(cost);
    if (verbose_) log_->Temperature(T_);
    ++*moves;

    // The best is tracked before, and whatever, the acceptance decision; a
    // later candidate of equal cost does not replace it.
    if (cost < bestCost_) {
      bestCost_ = cost;
      best_->CopyFrom(*candidate);
    }

    bool accept = cost < currentCost_;
    if (!accept) {
      double w = random_->RandomFraction();
      accept = AcceptsUphill(currentCost_, cost, T_, w);
      if (accept) {
        ++*uphill;
      } else {
        ++*rejects;
      }
    }
    if (accept) {
      candidates_->Accept();
      currentCost_ = cost;
    } else {
      candidates_->Reject();
    }
    WriteVerdict(log_.get(), accept);
    if (record_ != nullptr) record_->Add(cost, accept);
  } while (*uphill <= movesLimit && *moves <= 2 * movesLimit && !ShouldStop());
}

// An M1 draw succeeds when the first module carrying the drawn identifier is
// not the last module of the expression. When no module but the last carries
// a drawable identifier, no draw can succeed and the move is made an M2 move,
// as an M3 move is when all cuts have one type.
bool Annealing::SwapModulesCanSucceed(const Floorplan& candidate) const {
  if (drawableModules_ >= 2) return true;
  if (drawableModules_ == 0) return false;
  const Element* last = candidate.root;
  while (last->isCut) last = last->prev;
  uint32_t largest = LargestInRange(1, N_);
  bool lastIsDrawable =
      last->value >= 1 && static_cast<uint32_t>(last->value) <= largest;
  return !lastIsDrawable;
}

void Annealing::ApplySwapModules(Floorplan* candidate) {
  if (!SwapModulesCanSucceed(*candidate)) {
    ApplyComplementChain(candidate);
    return;
  }
  for (;;) {
    uint32_t id = random_->RandomRange(1, N_);
    if (!identifierPresent_[id]) continue;
    if (candidate->SwapModules(static_cast<int32_t>(id))) return;
  }
}

void Annealing::ApplyComplementChain(Floorplan* candidate) {
  while (candidate->ComplementChain(random_->RandomRange(0, K_)) == 0) {
  }
}

// An M3 move needs a position that a draw can produce and where the exchange
// succeeds; with one cut type there is none. Positions are drawn from 0 to at
// most 32767, so beyond 16,384 modules the elements further on are out of
// reach, and the reachable ones may admit no exchange (a left-deep stretch
// whose cuts all have one type) while the other type stands further on.
// Without such a position the move is made an M2 move, as an M1 move is
// without a drawable module; the look draws nothing.
void Annealing::ApplySwapModuleAndCut(Floorplan* candidate) {
  if (!candidate->HasBothCutTypes() ||
      !candidate->HasExchangeBelow(reachablePositions_)) {
    ApplyComplementChain(candidate);
    return;
  }
  while (candidate->SwapModuleAndCut(random_->RandomRange(0, N_ + K_)) !=
         SwapResult::kSwapped) {
  }
}

}  // namespace

AnnealingOutcome SimulatedAnnealing(const AnnealingParameters& parameters,
                                    std::unique_ptr<Floorplan> E0,
                                    RandomSource* random,
                                    const std::function<int64_t()>& clock,
                                    const RunOptions& options) {
  std::vector<std::string> refusals =
      ParameterRefusals(parameters, E0 != nullptr);
  if (!refusals.empty()) {
    for (const std::string& message : refusals)
      fputs(message.c_str(), options.err);
    return AnnealingOutcome();
  }
  random->SeedRandom(static_cast<uint64_t>(clock()));
  Annealing annealing(parameters, std::move(E0), random, options);
  return annealing.Run();
}
