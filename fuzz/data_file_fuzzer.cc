// Feeds arbitrary bytes to the data-file reader as the contents of a file,
// through the same path-based loading the program uses, and exercises what a
// run does with the result: evaluate, print, copy. A small result is also
// checked against the reference area evaluation and annealed for one
// temperature, which is where odd identifiers (repeated, zero, beyond N)
// could make the moves loop; it is annealed on both hot paths, which must
// print the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "anneal/annealer.h"
#include "io/data_file.h"
#include "io/loader.h"
#include "model/shape_list.h"
#include "random/random.h"
#include "testing/captured_run.h"
#include "testing/memory_file.h"
#include "testing/memory_stream.h"

namespace {

// The reference evaluation combines full cross products: keep it to small
// Floorplans.
constexpr uint32_t kLargestCheckedAgainstReference = 64;
// One temperature of N modules is at most 2 x N x N + 1 moves below 15
// modules; this keeps a run to a few hundred small moves.
constexpr uint32_t kLargestAnnealed = 12;

void Require(bool condition, const char* what) {
  if (!condition) {
    fprintf(stderr, "data_file_fuzzer: %s\n", what);
    abort();
  }
}

// The output of one temperature (T0 below Tf) on the given hot path.
std::string AnnealOnce(const Floorplan& floorplan, const uint32_t weights[3],
                       HotPath hotPath) {
  MemoryStream out;
  Require(out.file != nullptr, "open_memstream failed");
  RunOptions options;
  options.out = out.file;
  options.err = out.file;
  options.hotPath = hotPath;
  AnnealingParameters parameters;
  parameters.lambda = 0.5;
  parameters.T0 = 1.0;
  parameters.Tf = 10.0;
  parameters.probM1 = weights[0];
  parameters.probM2 = weights[1];
  parameters.probM3 = weights[2];
  RandomSource random;
  Require(SimulatedAnnealing(
              parameters, floorplan.Copy(), &random,
              [] { return kGoldenClock; }, options)
                  .status == AnnealingStatus::kRan,
          "sane parameters refused");
  return out.Close();
}

size_t CountChar(const std::string& text, char c) {
  size_t count = 0;
  for (char t : text) count += t == c;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile* input = new MemoryFile();
  static FILE* sink = fopen("/dev/null", "w");
  Require(input->ok() && sink != nullptr, "no in-memory file");
  Require(input->Store(std::string_view(reinterpret_cast<const char*>(data),
                                        size)),
          "cannot store the input");

  // What the companions' strict reading takes, floorplan takes the same.
  std::vector<DataModule> strict;
  std::vector<DataModule> plain;
  std::string error;
  if (ReadStrictDataFile(input->path(), &strict, &error)) {
    Require(ReadDataFile(input->path(), &plain, &error) &&
                plain.size() == strict.size(),
            "the strict reading takes what floorplan does not");
  } else {
    Require(!error.empty(), "a strict refusal without a reason");
  }

  RandomSource random;
  std::unique_ptr<Floorplan> floorplan =
      LoadFloorplan(input->path(), &random, &error);
  if (!floorplan) {
    Require(!error.empty(), "a refusal without a reason");
    return 0;
  }

  uint32_t N = floorplan->numModules;
  Require(N >= 2, "fewer than two modules");
  Require(floorplan->numOperators == N - 1, "cut count is not N - 1");

  std::string expression;
  floorplan->AppendExpression(&expression);
  Require(CountChar(expression, '<') == N, "printed module count");
  Require(CountChar(expression, 'H') + CountChar(expression, 'V') == N - 1,
          "printed cut count");
  Area cost = floorplan->Cost();
  Require(cost >= 0, "negative cost");
  if (N <= kLargestCheckedAgainstReference) {
    Require(cost == ReferenceCost(*floorplan), "cost differs from reference");
  }

  std::unique_ptr<Floorplan> copy = floorplan->Copy();
  std::string copied;
  copy->AppendExpression(&copied);
  Require(copied == expression, "copy prints differently");
  Require(copy->Cost() == cost, "copy costs differently");
  floorplan->Print(sink);

  if (N <= kLargestAnnealed) {
    // T0 below Tf: exactly one temperature. The weights vary with the input
    // so that M1-only runs meet files whose identifiers M1 cannot draw.
    static const uint32_t kWeights[3][3] = {{1, 1, 1}, {1, 0, 0}, {0, 0, 1}};
    const uint32_t* weights = kWeights[size % 3];
    Require(AnnealOnce(*copy, weights, HotPath::kFast) ==
                AnnealOnce(*copy, weights, HotPath::kPlain),
            "the hot paths print differently");
  }
  return 0;
}
