// Loading, copying, printing and walking Floorplans of 1,000 to 1,000,000
// modules.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "io/loader.h"
#include "model/floorplan.h"
#include "random/random.h"

namespace {

std::string DataFile(int64_t modules) {
  static std::string paths[8];
  static int64_t sizes[8];
  for (int i = 0; i < 8; ++i) {
    if (sizes[i] == modules) return paths[i];
    if (sizes[i] != 0) continue;
    std::string path =
        "/tmp/floorplan_perftest_" + std::to_string(modules) + ".txt";
    FILE* file = fopen(path.c_str(), "w");
    std::mt19937 random(static_cast<uint32_t>(modules));
    std::uniform_int_distribution<int> side(1, 500);
    for (int64_t id = 1; id <= modules; ++id) {
      fprintf(file, "%lld %d %d\n", static_cast<long long>(id), side(random),
              side(random));
    }
    fclose(file);
    sizes[i] = modules;
    paths[i] = path;
    return path;
  }
  return "";
}

std::unique_ptr<Floorplan> Load(const std::string& path) {
  RandomSource random;
  std::string error;
  return LoadFloorplan(path, &random, &error);
}

void BM_Load(benchmark::State& state) {
  std::string path = DataFile(state.range(0));
  for (auto _ : state) {
    auto floorplan = Load(path);
    benchmark::DoNotOptimize(floorplan.get());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Copy(benchmark::State& state) {
  auto floorplan = Load(DataFile(state.range(0)));
  for (auto _ : state) {
    auto copy = floorplan->Copy();
    benchmark::DoNotOptimize(copy.get());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CopyIntoRecycled(benchmark::State& state) {
  auto floorplan = Load(DataFile(state.range(0)));
  auto recycled = floorplan->Copy();
  for (auto _ : state) {
    recycled->CopyFrom(*floorplan);
    benchmark::DoNotOptimize(recycled->head);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Print(benchmark::State& state) {
  auto floorplan = Load(DataFile(state.range(0)));
  FILE* devNull = fopen("/dev/null", "w");
  for (auto _ : state) floorplan->Print(devNull);
  fclose(devNull);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor under every whole-expression pass: following `next` alone.
void BM_WalkList(benchmark::State& state) {
  auto floorplan = Load(DataFile(state.range(0)));
  for (auto _ : state) {
    uint32_t cuts = 0;
    for (const Element* e = floorplan->head; e != nullptr; e = e->next)
      cuts += e->isCut;
    benchmark::DoNotOptimize(cuts);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Load)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(
    benchmark::kMillisecond);
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
