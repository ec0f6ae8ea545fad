// The next beat on a grid of moments.
#include "display/BeatGrid.h"

#include <algorithm>

int64_t NextBeat(int64_t origin, int64_t period, int64_t last, int64_t frameTicks, int64_t now) {
  const int64_t earliest = std::max(now + 1, last + frameTicks - period / 2);
  // The first grid moment at or after earliest, rounding toward the future on both sides of origin.
  const int64_t offset = earliest - origin;
  int64_t steps = offset / period;
  if (steps * period < offset) ++steps;
  return origin + steps * period;
}
