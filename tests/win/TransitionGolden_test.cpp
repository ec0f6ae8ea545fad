// The golden transition frames, checked again by the Windows build: both builds draw the same bytes.
#include "tests/unit/TransitionGolden_test.cpp"
