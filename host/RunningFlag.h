// Telling the system that a full-screen saver runs, so that it keeps its own saver and the
// task-switching keys out of the way for the session's length.
#pragma once

// SPI_SETSCREENSAVERRUNNING with no profile update and no broadcast; the result is not used.
void SetScreenSaverRunning(bool running);
