// Clock seeding for the native build (tests, tools): the steady clock's low 32 bits.
#include <chrono>

#include "base/Random.h"

void Randomize() {
  RandSeed = static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

uint64_t SessionSeed() {
  return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) * 0x9E3779B97F4A7C15ull;
}
