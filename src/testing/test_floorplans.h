// Test support: Floorplans built from postfix text or at random, and a check
// of every invariant a Floorplan keeps between operations. Random choices use
// the caller's generator, never the program's random source.
#ifndef FLOORPLAN_TESTING_TEST_FLOORPLANS_H_
#define FLOORPLAN_TESTING_TEST_FLOORPLANS_H_

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/floorplan.h"

struct ModuleSides {
  uint16_t width;
  uint16_t height;
};

// Builds the Floorplan of a postfix text such as "<1><2>H<3>V". Module i (its
// identifier) takes sides[i - 1] when given, else 1 x 1.
std::unique_ptr<Floorplan> FloorplanFromPostfix(
    std::string_view postfix, const std::vector<ModuleSides>& sides = {});

// How random module sides are drawn.
enum class SideMix {
  kSmall,      // 1..20, many squares and repeated sides
  kBenchmark,  // 10..3000
  kExtreme,    // 0, 1 and values near 65535 mixed in
  kStrips,     // 1 wide, 2..65535 high: staircases as long as their subtrees
};

struct RandomFloorplanOptions {
  uint32_t modules = 10;
  SideMix sides = SideMix::kSmall;
  // When true, no two cuts of one type stand next to each other, as in every
  // Floorplan the program builds.
  bool normalized = true;
};

// A random slicing tree over modules 1..N (identifiers shuffled) with random
// cut types.
std::unique_ptr<Floorplan> RandomFloorplan(
    const RandomFloorplanOptions& options, std::mt19937* random);

// The Floorplan a data file loads as, with the random source seeded with 1;
// null when the file is refused.
std::unique_ptr<Floorplan> LoadFloorplanFile(const std::string& path);

// Writes a data file of modules 1..N with sides 1..500 drawn from a generator
// seeded with N, once per N per process, and returns its path.
std::string RandomDataFile(int64_t modules);

std::string ExpressionOf(const Floorplan& floorplan);

// Every element of the expression, from head.
std::vector<const Element*> ListOf(const Floorplan& floorplan);

// Empty when all invariants hold, else a description of the first broken one:
// the tree's postorder is the list, prev matches next, counts, the last
// element is the root, every prefix holds more Modules than Cuts, and (when
// `normalized`) no two adjacent cuts share a type.
std::string InvariantViolation(const Floorplan& floorplan,
                               bool normalized = true);

#endif  // FLOORPLAN_TESTING_TEST_FLOORPLANS_H_
