// The transitions' own random source: dissolve orders, bar orders and the random reveal pattern
// draw from it, so the process-wide generator's sequence stays untouched.
#pragma once

#include <cstdint>

// splitmix64: a small seeded generator whose sequence is the same on every platform and
// compiler. The view seeds one per session and hands each transition a seed drawn from it.
class TViewRandom {
 public:
  explicit TViewRandom(uint64_t seed) : FState(seed) {}

  uint64_t Next();

  // A value from 0 to n - 1, every value equally likely (n > 0): multiply-shift with rejection
  // of the short remainder, so no library distribution (which differs between libraries) is used.
  uint32_t Below(uint32_t n);

 private:
  uint64_t FState;
};
