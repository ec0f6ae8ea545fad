// The saver password of the Windows 95 family: changing it (the password mode) and asking for it
// before a full-screen session ends. Both go through the system's own password libraries, loaded
// from the system directory; where a library or its entry point is missing, nothing is shown.
#pragma once

#include "base/RunState.h"

// The password mode: hands "SCRSAVE" and the host's window to MPR.DLL's PwdChangePasswordA and
// returns when it does.
void ChangePassword(const TRunRequest& run);

// True when the full-screen session may end. On the NT family at once, touching nothing. On the
// 95 family true as well when the password is not in use (see SaverPasswordInUse); otherwise the
// cursor is shown for PASSWORD.CPL's VerifyScreenSavePwd, which is handed the foreground window,
// and hidden again, and `startCursor` (where the session measures movement from) is taken anew
// wherever the cursor then stands. A missing PASSWORD.CPL or entry point lets the session end
// without a prompt.
bool VerifyPassword(TPoint& startCursor);
