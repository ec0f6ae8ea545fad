// Runs a check once on each vector unit this processor has, the pixel loops held to that unit,
// so a test sees every variant of a loop that users' machines may run.
#pragma once

#include <gtest/gtest.h>

#include "imaging/VectorUnit.h"

template <typename TCheck>
void ForEachVectorUnit(TCheck check) {
  for (TVectorUnit unit : {TVectorUnit::Base, TVectorUnit::Avx2, TVectorUnit::Avx512}) {
    if (!VectorUnitAvailable(unit)) continue;
    SCOPED_TRACE(testing::Message() << "vector unit " << static_cast<int>(unit));
    SetVectorUnitLimit(unit);
    check(unit);
  }
  SetVectorUnitLimit(TVectorUnit::Avx512);
}
