// The processor's vector units that the pixel loops are compiled for, chosen when the program
// runs, so that one executable uses the widest unit a machine has and still runs on any x86-64.
#pragma once

#include <cstdint>

// Base is SSE2 on x86-64 (every such processor has it) and plain code elsewhere; Avx512 means
// AVX-512BW with the byte permutations of AVX-512VBMI.
enum class TVectorUnit : uint8_t { Base, Avx2, Avx512 };

// The processor and the system (which must save the wider registers) both support the unit.
bool VectorUnitAvailable(TVectorUnit unit);
// The widest available unit, but no wider than the limit (none at first).
TVectorUnit WidestVectorUnit();
// Holds the pixel loops to narrower units than the processor has, as on an older machine (the
// tests compare the units this way). Pixels come out the same on every unit.
void SetVectorUnitLimit(TVectorUnit widest);
