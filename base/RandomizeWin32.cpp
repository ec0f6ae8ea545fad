// Clock seeding on Windows: the performance counter's low 32 bits, else the tick count; the
// session's own seeds from the counter and the process id.
#include <windows.h>

#include "base/Random.h"

void Randomize() {
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter))
    RandSeed = static_cast<uint32_t>(counter.QuadPart);
  else
    RandSeed = GetTickCount();
}

uint64_t SessionSeed() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<uint64_t>(counter.QuadPart) * 0x9E3779B97F4A7C15ull ^ GetCurrentProcessId();
}
