// The process-wide pseudo-random generator. Its sequence is part of the program's behaviour
// (play-list shuffles, the random transition choice), so it is exactly the linear congruential
// generator below and nothing else may draw from it.
#pragma once

#include <cstdint>

extern uint32_t RandSeed;

// Seeds from the clock: the low 32 bits of the high-resolution counter (or the tick count).
void Randomize();

// Advances RandSeed := RandSeed * 134775813 + 1 (mod 2^32) and returns the high 32 bits of the
// 64-bit product RandSeed * n: a value from 0 to n - 1 for n > 0.
int32_t Random(int32_t n);

// A 64-bit seed for the session's own generators (the page view's, the other monitors'), which
// never draw from the process-wide one: the clock mixed with the process id, so that two
// sessions side by side start apart.
uint64_t SessionSeed();
