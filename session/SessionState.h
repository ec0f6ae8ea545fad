// Process-wide values of a saver session that the input watch and the password check share.
#pragma once

#include <cstdint>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// The distance per axis, in pixels, that the cursor may move without ending a full-screen session.
extern const int32_t MouseThreshold;
// Where the movement test measures from: set at activation and after each password prompt.
extern TPoint StartCursorPos;

class TSchoner;
// The one saver window; set before its construction begins.
extern TSchoner* Schoner;
