// Area evaluation: the plain shape lists against the staircases, side by side,
// on the bundled benchmarks and on random trees; and the tracker's evaluation
// of one move against a whole evaluation.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "model/area_tracker.h"
#include "model/floorplan.h"
#include "model/shape_list.h"
#include "testing/test_floorplans.h"

namespace {

const char* const kBenchmarks[] = {"apte",  "xerox", "hp",
                                   "ami33", "n100",  "n200"};

std::unique_ptr<Floorplan> Benchmark(int index) {
  return LoadFloorplanFile(std::string(FLOORPLAN_SOURCE_DIR) + "/examples/" +
                           kBenchmarks[index] + ".txt");
}

std::unique_ptr<Floorplan> RandomTree(int64_t modules) {
  std::mt19937 random(static_cast<uint32_t>(modules));
  return RandomFloorplan(
      {static_cast<uint32_t>(modules), SideMix::kBenchmark, true}, &random);
}

void BM_ReferenceCostBenchmark(benchmark::State& state) {
  auto floorplan = Benchmark(static_cast<int>(state.range(0)));
  state.SetLabel(kBenchmarks[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceCost(*floorplan));
}

void BM_FastCostBenchmark(benchmark::State& state) {
  auto floorplan = Benchmark(static_cast<int>(state.range(0)));
  state.SetLabel(kBenchmarks[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(floorplan->Cost());
}

void BM_ReferenceCostRandom(benchmark::State& state) {
  auto floorplan = RandomTree(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceCost(*floorplan));
}

void BM_FastCostRandom(benchmark::State& state) {
  auto floorplan = RandomTree(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(floorplan->Cost());
}

// One M3 move in place, its area from the tracker, and the move taken back:
// the annealer's evaluation of a rejected candidate.
void BM_TrackerAfterMove(benchmark::State& state) {
  auto floorplan = RandomTree(state.range(0));
  AreaTracker tracker;
  tracker.Start(*floorplan);
  std::mt19937 random(7);
  uint32_t elements = floorplan->numModules + floorplan->numOperators;
  for (auto _ : state) {
    floorplan->StartRecording();
    while (floorplan->SwapModuleAndCut(random() % elements) !=
           SwapResult::kSwapped) {
    }
    benchmark::DoNotOptimize(tracker.CostOfRecordedMove(*floorplan));
    floorplan->UndoRecorded();
  }
}

BENCHMARK(BM_ReferenceCostBenchmark)
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastCostBenchmark)
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceCostRandom)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastCostRandom)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackerAfterMove)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
