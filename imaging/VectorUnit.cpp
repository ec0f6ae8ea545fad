// Asks the processor once which vector units the pixel loops may use.
#include "imaging/VectorUnit.h"

#include <algorithm>

bool VectorUnitAvailable(TVectorUnit unit) {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();  // this may run before the runtime's own initialisation has
  switch (unit) {
    case TVectorUnit::Avx512: return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    case TVectorUnit::Avx2: return __builtin_cpu_supports("avx2");
    default: return true;
  }
#else
  return unit == TVectorUnit::Base;
#endif
}

namespace {

TVectorUnit Limit = TVectorUnit::Avx512;

}  // namespace

TVectorUnit WidestVectorUnit() {
  static const TVectorUnit widest = VectorUnitAvailable(TVectorUnit::Avx512) ? TVectorUnit::Avx512
                                    : VectorUnitAvailable(TVectorUnit::Avx2) ? TVectorUnit::Avx2
                                                                             : TVectorUnit::Base;
  return std::min(widest, Limit);
}

void SetVectorUnitLimit(TVectorUnit widest) { Limit = widest; }
