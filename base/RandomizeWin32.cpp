// Clock seeding on Windows: the performance counter's low 32 bits, else the tick count.
#include <windows.h>

#include "base/Random.h"

void Randomize() {
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter))
    RandSeed = static_cast<uint32_t>(counter.QuadPart);
  else
    RandSeed = GetTickCount();
}
