#include "random/random.h"

namespace {
uint32_t state = 1;
}  // namespace

void SeedRandom(uint64_t seed) { state = static_cast<uint32_t>(seed); }

uint32_t NextRandom() {
  state = state * 214013u + 2531011u;
  return (state >> 16) & 0x7FFFu;
}

uint32_t RandomRange(uint32_t lo, uint32_t hi) {
  uint32_t span = hi - lo + 1u;
  return lo + NextRandom() % span;
}

uint32_t LargestInRange(uint32_t lo, uint32_t hi) {
  return hi - lo < 0x7FFFu ? hi : lo + 0x7FFFu;
}

double RandomFraction() { return RandomRange(0, 999) * 0.001; }
