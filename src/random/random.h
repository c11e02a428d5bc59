// The program's random source: a small linear congruential generator with a
// single 32-bit state. It is the one piece of global state in the program;
// the loader draws cut types from it and the annealer draws moves and
// acceptance thresholds, so the order of every call matters for the output.
#ifndef FLOORPLAN_RANDOM_RANDOM_H_
#define FLOORPLAN_RANDOM_RANDOM_H_

#include <cstdint>

// Sets the state to the low 32 bits of `seed`.
void SeedRandom(uint64_t seed);

// Advances the state and returns its bits 16..30: a value in 0..32767.
uint32_t NextRandom();

// Returns lo + NextRandom() mod (hi - lo + 1), in unsigned 32-bit arithmetic
// (so hi - lo + 1 wraps to 0 when lo is 0 and hi is 2^32 - 1; callers keep
// the span non-zero).
uint32_t RandomRange(uint32_t lo, uint32_t hi);

// The largest value RandomRange(lo, hi) can return when lo <= hi: hi itself,
// or lo + 32767 for a wider range.
uint32_t LargestInRange(uint32_t lo, uint32_t hi);

// A whole number of thousandths in [0, 0.999].
double RandomFraction();

#endif  // FLOORPLAN_RANDOM_RANDOM_H_
