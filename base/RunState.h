// What a run of the program is for, as the host's command line asked it: the run mode and the
// host's window, made once at start-up and handed to the mode that runs; and the point type the
// full-screen session measures the user's movement from.
#pragma once

#include <cstdint>

enum TSaverMode : uint8_t { smNone = 0, smConfig = 1, smPassword = 2, smPreview = 3, smSaver = 4 };

struct TRunRequest {
  TSaverMode Mode = smNone;
  int32_t Window = 0;  // the host's window handle (signed 32 bits), 0 when none
};

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// The distance per axis, in pixels, that the cursor may move without ending a full-screen session.
inline constexpr int32_t MouseThreshold = 5;
