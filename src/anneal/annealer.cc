#include "anneal/annealer.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "anneal/acceptance.h"
#include "anneal/move_log.h"
#include "model/area_tracker.h"
#include "model/shape_list.h"
#include "random/random.h"

namespace {

bool CheckParameters(const Floorplan* E0, double lambda, double T0,
                     uint64_t weightSum, FILE* err) {
  bool accepted = true;
  if (E0 == nullptr) {
    fputs("SimulatedAnnealing: Parameter 1 (Floorplan * E0) is NULL\n", err);
    accepted = false;
  }
  if (!(lambda > 0 && lambda < 1)) {
    fputs("SimulatedAnnealing: Parameter 2 (double lambda) is not 0<lambda<1\n",
          err);
    accepted = false;
  }
  // An infinite or NaN temperature never falls below Tf.
  if (!std::isfinite(T0)) {
    fputs("SimulatedAnnealing: Parameter 3 (double T0) is not finite\n", err);
    accepted = false;
  }
  // The move kind is drawn from 1 to the sum, which must fit in 32 bits.
  if (weightSum == 0 || weightSum > UINT32_MAX) {
    fputs(
        "SimulatedAnnealing: Parameters 5-7 (probM1+probM2+probM3) are not "
        "0<sum<2^32\n",
        err);
    accepted = false;
  }
  if (!accepted) {
    fputs("SimulatedAnnealing: Exited under abnormal conditions\n", err);
  }
  return accepted;
}

// The state of one run: the current Floorplan, the candidate being tried and
// a copy of the cheapest one seen. The plain hot path makes every candidate a
// fresh copy of the current Floorplan. The fast one applies the move to the
// current Floorplan itself, recording what it overwrites, and takes the move
// back when the candidate is rejected: the candidate is the same Floorplan
// either way, without a copy per move.
class Annealing {
 public:
  Annealing(std::unique_ptr<Floorplan> E0, double lambda, double T0, double Tf,
            uint32_t probM1, uint32_t probM2, uint32_t probM3,
            const RunContext& context);
  void Run();

 private:
  void RunTemperature(uint32_t* moves, uint32_t* uphill, uint32_t* rejects);
  Floorplan* StartCandidate();
  void Accept(int64_t cost);
  void Reject();
  void ApplySwapModules(Floorplan* candidate);
  void ApplyComplementChain(Floorplan* candidate);
  void ApplySwapModuleAndCut(Floorplan* candidate);
  bool SwapModulesCanSucceed(const Floorplan& candidate) const;
  int64_t CostOf(const Floorplan& floorplan);

  bool plain_;
  double lambda_;
  double T_;
  double Tf_;
  uint32_t probM1_;
  uint32_t probM2_;
  uint32_t weightSum_;
  MoveLog log_;

  std::unique_ptr<Floorplan> current_;
  std::unique_ptr<Floorplan> candidate_;  // plain path only
  std::unique_ptr<Floorplan> best_;
  int64_t currentCost_ = 0;
  int64_t bestCost_ = 0;
  // The fast path's evaluation, which recombines only the part of the tree
  // that a move changed.
  AreaTracker areas_;

  uint32_t N_;
  uint32_t K_;
  uint32_t movesLimit_;
  bool verbose_;
  uint32_t moveNumber_ = 0;  // written as a signed 32-bit value

  // identifierPresent_[id] tells whether a module carries `id`, for every id
  // an M1 draw can produce: a draw of an absent id cannot succeed, so it is
  // not tried. drawableModules_ counts the modules with such an id.
  std::vector<bool> identifierPresent_;
  uint32_t drawableModules_ = 0;
  // How many positions, from the first, an M3 draw can produce.
  uint64_t reachablePositions_ = 0;
};

Annealing::Annealing(std::unique_ptr<Floorplan> E0, double lambda, double T0,
                     double Tf, uint32_t probM1, uint32_t probM2,
                     uint32_t probM3, const RunContext& context)
    : plain_(context.hotPath == HotPath::kPlain),
      lambda_(lambda),
      T_(T0),
      Tf_(Tf),
      probM1_(probM1),
      probM2_(probM2),
      weightSum_(probM1 + probM2 + probM3),
      log_(context.out, plain_),
      current_(std::move(E0)) {
  N_ = current_->numModules;
  K_ = current_->numOperators;
  movesLimit_ = N_ < 15 ? N_ * N_ : 2 * N_;
  verbose_ = N_ < 20;
  reachablePositions_ = uint64_t{LargestInRange(0, N_ + K_)} + 1;
  best_ = current_->Copy();
  currentCost_ = bestCost_ =
      plain_ ? ReferenceCost(*current_) : areas_.Start(*current_);

  uint32_t largest = LargestInRange(1, N_);
  identifierPresent_.assign(largest + 1, false);
  for (const Element* e = current_->head; e != nullptr; e = e->next) {
    if (!e->isCut && e->value >= 1 &&
        static_cast<uint32_t>(e->value) <= largest) {
      identifierPresent_[static_cast<size_t>(e->value)] = true;
      ++drawableModules_;
    }
  }
}

int64_t Annealing::CostOf(const Floorplan& floorplan) {
  return plain_ ? ReferenceCost(floorplan)
                : areas_.CostOfRecordedMove(floorplan);
}

// The candidate, last evaluated, becomes the current Floorplan.
void Annealing::Accept(int64_t cost) {
  currentCost_ = cost;
  if (plain_) {
    current_ = std::move(candidate_);
  } else {
    areas_.Commit();
  }
}

void Annealing::Reject() {
  if (plain_) {
    candidate_.reset();
  } else {
    current_->UndoRecorded();
  }
}

Floorplan* Annealing::StartCandidate() {
  if (plain_) {
    candidate_ = current_->Copy();
    return candidate_.get();
  }
  current_->StartRecording();
  return current_.get();
}

void Annealing::Run() {
  if (verbose_) {
    log_.Text("Initial Floorplan: ");
    log_.Expression(*current_);
  } else {
    log_.Text("Initial");
  }
  log_.Text(" Cost: ");
  log_.Number(currentCost_);
  log_.Text("\n\n***Start of Simulated Annealing***\n\n");

  for (;;) {
    uint32_t moves = 0;
    uint32_t uphill = 0;
    uint32_t rejects = 0;
    RunTemperature(&moves, &uphill, &rejects);
    double previousT = T_;
    T_ *= lambda_;
    if (static_cast<double>(rejects) > 0.99 * static_cast<double>(moves)) break;
    if (T_ < Tf_) break;
    // Near the smallest subnormals lowering can leave T as it was; with Tf at
    // or below zero it would then never fall below Tf.
    if (T_ == previousT && T_ != 0) break;
  }

  log_.Text("\n***End of Simulated Annealing***\nFinal solution:\n");
  log_.Expression(*best_);
  log_.Text("\n\nCost: ");
  log_.Number(bestCost_);
  log_.Text("\n");
  log_.Flush();
}

void Annealing::RunTemperature(uint32_t* moves, uint32_t* uphill,
                               uint32_t* rejects) {
  // Computed wide: 2 x movesLimit does not wrap for any module count.
  uint64_t movesLimit = movesLimit_;
  do {
    uint32_t r = RandomRange(1, weightSum_);
    Floorplan* candidate = StartCandidate();
    if (r <= probM1_) {
      ApplySwapModules(candidate);
    } else if (r - probM1_ <= probM2_) {
      ApplyComplementChain(candidate);
    } else {
      ApplySwapModuleAndCut(candidate);
    }

    ++moveNumber_;
    log_.MoveNumber(static_cast<int32_t>(moveNumber_));
    if (verbose_) log_.Expression(*candidate);
    int64_t cost = CostOf(*candidate);
    log_.Cost(cost);
    if (verbose_) log_.Temperature(T_);
    ++*moves;

    // The best is tracked before, and whatever, the acceptance decision; a
    // later candidate of equal cost does not replace it.
    if (static_cast<uint64_t>(cost) < static_cast<uint64_t>(bestCost_)) {
      bestCost_ = cost;
      if (plain_) {
        best_ = candidate->Copy();
      } else {
        best_->CopyFrom(*candidate);
      }
    }

    bool accept = cost < currentCost_;
    if (!accept) {
      double w = RandomFraction();
      accept = AcceptsUphill(currentCost_, cost, T_, w);
      if (accept) {
        ++*uphill;
      } else {
        ++*rejects;
      }
    }
    if (accept) {
      Accept(cost);
      log_.Text("Y\n");
    } else {
      Reject();
      log_.Text("N\n");
    }
  } while (*uphill <= movesLimit && *moves <= 2 * movesLimit);
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
    uint32_t id = RandomRange(1, N_);
    if (!identifierPresent_[id]) continue;
    if (candidate->SwapModules(static_cast<int32_t>(id))) return;
  }
}

void Annealing::ApplyComplementChain(Floorplan* candidate) {
  while (candidate->ComplementChain(RandomRange(0, K_)) == 0) {
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
  while (candidate->SwapModuleAndCut(RandomRange(0, N_ + K_)) != 0) {
  }
}

}  // namespace

bool SimulatedAnnealing(std::unique_ptr<Floorplan> E0, double lambda, double T0,
                        double Tf, uint32_t probM1, uint32_t probM2,
                        uint32_t probM3, const RunContext& context) {
  uint64_t weightSum = uint64_t{probM1} + probM2 + probM3;
  if (!CheckParameters(E0.get(), lambda, T0, weightSum, context.err)) {
    return false;
  }
  SeedRandom(static_cast<uint64_t>(context.clock()));
  Annealing annealing(std::move(E0), lambda, T0, Tf, probM1, probM2, probM3,
                      context);
  annealing.Run();
  return true;
}
