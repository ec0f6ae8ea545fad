// The generator's step; the clock seeding lives with the platform (RandomizeWin32/RandomizeNative).
#include "base/Random.h"

uint32_t RandSeed = 0;

int32_t Random(int32_t n) {
  RandSeed = RandSeed * 134775813u + 1u;
  return static_cast<int32_t>((static_cast<uint64_t>(RandSeed) * static_cast<uint32_t>(n)) >> 32);
}
