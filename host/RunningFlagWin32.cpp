// The system's saver-running flag.
#include "host/RunningFlag.h"

#include <windows.h>

namespace {

// Where the system puts the flag's previous state; nothing reads it.
UINT RunningFlagReceiver = 0;

}  // namespace

void SetScreenSaverRunning(bool running) {
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &RunningFlagReceiver, 0);
}
