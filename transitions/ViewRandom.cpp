// The page view's own seeded generator (splitmix64) and its uniform integer mapping.
#include "transitions/ViewRandom.h"

uint64_t TViewRandom::Next() {
  uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint32_t TViewRandom::Below(uint32_t n) {
  uint64_t product = (Next() >> 32) * n;
  auto low = static_cast<uint32_t>(product);
  if (low < n) {
    // 2^32 mod n values of the low word would make some results one draw more likely.
    const uint32_t reject = (0u - n) % n;
    while (low < reject) {
      product = (Next() >> 32) * n;
      low = static_cast<uint32_t>(product);
    }
  }
  return static_cast<uint32_t>(product >> 32);
}
