// Simulated annealing over slicing floorplans: repeatedly perturbs a copy of
// the current Floorplan with a random move, evaluates its area, logs the move,
// remembers the best Floorplan seen and accepts or rejects the copy by the
// Metropolis rule, lowering the temperature geometrically between rounds.
#ifndef FLOORPLAN_ANNEAL_ANNEALER_H_
#define FLOORPLAN_ANNEAL_ANNEALER_H_

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

#include "model/floorplan.h"

// How the per-move work is done. Both give the same output byte for byte;
// kPlain copies into a freshly allocated Floorplan per move, evaluates areas
// with shape lists and writes with printf, and is kept to check and measure
// kFast against.
enum class HotPath { kFast, kPlain };

// Where a run writes and where it reads the calendar clock (whole seconds),
// so that a test can run it with a fixed time and compare every byte.
struct RunContext {
  FILE* out = stdout;
  FILE* err = stderr;
  std::function<int64_t()> clock;
  HotPath hotPath = HotPath::kFast;
};

// Anneals `E0` and writes the log and the best Floorplan to context.out.
// Refuses, with messages on context.err, a null `E0`, a `lambda` outside
// (0, 1), a `T0` that is not finite and move weights whose sum is 0 or beyond
// 32 bits; returns whether it ran. Every Floorplan is released before it
// returns.
bool SimulatedAnnealing(std::unique_ptr<Floorplan> E0, double lambda, double T0,
                        double Tf, uint32_t probM1, uint32_t probM2,
                        uint32_t probM3, const RunContext& context);

#endif  // FLOORPLAN_ANNEAL_ANNEALER_H_
