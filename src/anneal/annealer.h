// Simulated annealing over slicing floorplans: repeatedly tries a random move
// on the current Floorplan, evaluates the candidate's area, logs the move,
// remembers the best Floorplan seen and accepts or rejects the candidate by
// the Metropolis rule, lowering the temperature geometrically between rounds.
#ifndef FLOORPLAN_ANNEAL_ANNEALER_H_
#define FLOORPLAN_ANNEAL_ANNEALER_H_

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

#include "anneal/parameters.h"
#include "model/area.h"
#include "model/floorplan.h"
#include "model/shape_cost.h"

class MoveRecord;
class RandomSource;

// How the per-move work is done (candidates.h, move_log.h). Both give the same
// output byte for byte; kPlain copies the Floorplan for every candidate,
// evaluates areas with shape lists and writes with printf, and is kept to
// check and measure kFast against.
enum class HotPath { kFast, kPlain };

// Whether the run writes its log. A run without one formats nothing and
// writes nothing to `out`, but draws, moves and decides exactly as it would
// with it; its outcome gives the best cost.
enum class Logging { kOn, kOff };

// Where a run writes and how, so that a test can run it on memory streams
// and compare every byte, and what it minimises.
struct RunOptions {
  FILE* out = stdout;
  FILE* err = stderr;
  // floorplan's runs minimise the least area; a companion's may anneal
  // against a fixed outline instead, with the same moves, draws, schedule
  // and log, the costs being the outline's.
  ShapeCost cost;
  HotPath hotPath = HotPath::kFast;
  Logging logging = Logging::kOn;
  // When set and non-zero (a signal number), the run stops after the move in
  // progress and writes its final report for the best Floorplan so far.
  const std::atomic<int>* stop = nullptr;
  // When set, the run keeps a record of its moves there, from which its
  // short-form log can be written later (move_record.h); the caller owns it.
  MoveRecord* record = nullptr;
  // When set, the moves made so far, for a watcher in another thread.
  std::atomic<uint64_t>* movesDone = nullptr;
};

enum class AnnealingStatus {
  kRan,           // the whole schedule ran and its report was written
  kRefused,       // the parameters were refused, with messages on err
  kInterrupted,   // stopped by `stop`; the final report was written
  kOutputFailed,  // a write to `out` failed; the run stopped there
};

struct AnnealingOutcome {
  AnnealingStatus status = AnnealingStatus::kRefused;
  Area bestCost = 0;
  // The best Floorplan's shape of that cost (RunOptions::cost's choice).
  FloorplanShape bestShape;
  uint64_t moves = 0;
  int outputError = 0;  // the errno of the failed write
};

// Anneals `E0` and writes the log and the best Floorplan to options.out.
// Refuses, with the messages of ParameterRefusals on options.err, a null
// `E0` and parameters it cannot run. Otherwise reads `clock` (the calendar
// clock in whole seconds) and reseeds `random` from it first. Every
// Floorplan is released before it returns.
AnnealingOutcome SimulatedAnnealing(const AnnealingParameters& parameters,
                                    std::unique_ptr<Floorplan> E0,
                                    RandomSource* random,
                                    const std::function<int64_t()>& clock,
                                    const RunOptions& options);

#endif  // FLOORPLAN_ANNEAL_ANNEALER_H_
