// The process-wide run state that every layer may read: the run mode and the host's window, read
// once from the command line, and where a full-screen session measures the user's movement from.
#pragma once

#include <cstdint>

enum TSaverMode : uint8_t { smNone = 0, smConfig = 1, smPassword = 2, smPreview = 3, smSaver = 4 };

extern TSaverMode SaverMode;  // written only by ParseCommandLine
extern int32_t ParentWindow;  // the host's window handle (signed 32 bits), 0 when none

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// The distance per axis, in pixels, that the cursor may move without ending a full-screen session.
extern const int32_t MouseThreshold;
// Where the movement test measures from: set at activation and after each password prompt.
extern TPoint StartCursorPos;
