// Loading data files of 1,000 to 1,000,000 modules: reading every line and
// building the left-deep first Floorplan.
#include <benchmark/benchmark.h>

#include <string>

#include "io/loader.h"
#include "random/random.h"
#include "testing/test_floorplans.h"

namespace {

void BM_Load(benchmark::State& state) {
  std::string path = RandomDataFile(state.range(0));
  std::string error;
  for (auto _ : state) {
    RandomSource random;
    auto floorplan = LoadFloorplan(path, &random, &error);
    benchmark::DoNotOptimize(floorplan.get());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Load)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(
    benchmark::kMillisecond);

}  // namespace
