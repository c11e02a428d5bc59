// Copying, printing and walking Floorplans of 1,000 to 1,000,000 modules.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "model/floorplan.h"
#include "testing/test_floorplans.h"

namespace {

void BM_Copy(benchmark::State& state) {
  auto floorplan = LoadFloorplanFile(RandomDataFile(state.range(0)));
  for (auto _ : state) {
    auto copy = floorplan->Copy();
    benchmark::DoNotOptimize(copy.get());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CopyIntoRecycled(benchmark::State& state) {
  auto floorplan = LoadFloorplanFile(RandomDataFile(state.range(0)));
  auto recycled = floorplan->Copy();
  for (auto _ : state) {
    recycled->CopyFrom(*floorplan);
    benchmark::DoNotOptimize(recycled->head);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Print(benchmark::State& state) {
  auto floorplan = LoadFloorplanFile(RandomDataFile(state.range(0)));
  FILE* devNull = fopen("/dev/null", "w");
  for (auto _ : state) floorplan->Print(devNull);
  fclose(devNull);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor under every whole-expression pass: following `next` alone.
void BM_WalkList(benchmark::State& state) {
  auto floorplan = LoadFloorplanFile(RandomDataFile(state.range(0)));
  for (auto _ : state) {
    uint32_t cuts = 0;
    for (const Element* e = floorplan->head; e != nullptr; e = e->next)
      cuts += e->isCut;
    benchmark::DoNotOptimize(cuts);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Copy)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_CopyIntoRecycled)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Print)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_WalkList)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
