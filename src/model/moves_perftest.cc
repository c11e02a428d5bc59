// One attempt of each move, with the annealer's kind of random argument, on
// random floorplans of 100 to 10,000 modules. The floorplan wanders as the
// successful moves accumulate, as it does in a run.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "model/floorplan.h"
#include "testing/test_floorplans.h"

namespace {

std::unique_ptr<Floorplan> RandomTree(int64_t modules) {
  std::mt19937 random(static_cast<uint32_t>(modules));
  return RandomFloorplan(
      {static_cast<uint32_t>(modules), SideMix::kBenchmark, true}, &random);
}

void BM_SwapModules(benchmark::State& state) {
  auto floorplan = RandomTree(state.range(0));
  std::mt19937 random(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(floorplan->SwapModules(
        static_cast<int32_t>(1 + random() % floorplan->numModules)));
  }
}

void BM_ComplementChain(benchmark::State& state) {
  auto floorplan = RandomTree(state.range(0));
  std::mt19937 random(2);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        floorplan->ComplementChain(random() % (floorplan->numOperators + 1)));
  }
}

void BM_SwapModuleAndCut(benchmark::State& state) {
  auto floorplan = RandomTree(state.range(0));
  std::mt19937 random(3);
  uint32_t elements = floorplan->numModules + floorplan->numOperators;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        floorplan->SwapModuleAndCut(random() % (elements + 1)));
  }
}

void BM_HasBothCutTypes(benchmark::State& state) {
  auto floorplan = RandomTree(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(floorplan->HasBothCutTypes());
}

// The look an M3 move takes before drawing: it stops at the first position
// that admits an exchange. Cycles through floorplans so as not to time one.
void BM_HasExchangeBelow(benchmark::State& state) {
  std::vector<std::unique_ptr<Floorplan>> floorplans;
  std::mt19937 random(4);
  for (int i = 0; i < 16; ++i) {
    floorplans.push_back(RandomFloorplan(
        {static_cast<uint32_t>(state.range(0)), SideMix::kBenchmark, true},
        &random));
  }
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(floorplans[next]->HasExchangeBelow(32768));
    next = (next + 1) % floorplans.size();
  }
}

BENCHMARK(BM_SwapModules)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kNanosecond);
BENCHMARK(BM_ComplementChain)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kNanosecond);
BENCHMARK(BM_SwapModuleAndCut)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kNanosecond);
BENCHMARK(BM_HasExchangeBelow)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kNanosecond);
BENCHMARK(BM_HasBothCutTypes)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kNanosecond);

}  // namespace
