// The run mode the host asked for and the host's window, read once from the command line.
#pragma once

#include <cstdint>

enum TSaverMode : uint8_t { smNone = 0, smConfig = 1, smPassword = 2, smPreview = 3, smSaver = 4 };

extern TSaverMode SaverMode;  // written only by ParseCommandLine
extern int32_t ParentWindow;  // the host's window handle (signed 32 bits), 0 when none
