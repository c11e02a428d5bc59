// The random source of one run: a small linear congruential generator with a
// single 32-bit state. A run owns one and hands it to whatever draws from it:
// the loader draws cut types, the annealer draws moves and acceptance
// thresholds, so the order of every call matters for the output. Two runs
// never share one, so runs in parallel threads print what each prints alone.
#ifndef FLOORPLAN_RANDOM_RANDOM_H_
#define FLOORPLAN_RANDOM_RANDOM_H_

#include <cstdint>

class RandomSource {
 public:
  // A fresh source has state 1, as if seeded with 1.
  RandomSource() = default;
  explicit RandomSource(uint64_t seed) { SeedRandom(seed); }

  // Sets the state to the low 32 bits of `seed`.
  void SeedRandom(uint64_t seed) { state_ = static_cast<uint32_t>(seed); }

  // Advances the state and returns its bits 16..30: a value in 0..32767.
  uint32_t NextRandom() {
    state_ = state_ * 214013u + 2531011u;
    return (state_ >> 16) & 0x7FFFu;
  }

  // Returns lo + NextRandom() mod (hi - lo + 1), in unsigned 32-bit
  // arithmetic (so hi - lo + 1 wraps to 0 when lo is 0 and hi is 2^32 - 1;
  // callers keep the span non-zero).
  uint32_t RandomRange(uint32_t lo, uint32_t hi) {
    return lo + NextRandom() % (hi - lo + 1u);
  }

  // A whole number of thousandths in [0, 0.999].
  double RandomFraction() { return RandomRange(0, 999) * 0.001; }

 private:
  uint32_t state_ = 1;
};

// The largest value RandomRange(lo, hi) can return when lo <= hi: hi itself,
// or lo + 32767 for a wider range.
constexpr uint32_t LargestInRange(uint32_t lo, uint32_t hi) {
  return hi - lo < 0x7FFFu ? hi : lo + 0x7FFFu;
}

#endif  // FLOORPLAN_RANDOM_RANDOM_H_
