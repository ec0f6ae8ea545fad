// The saver password of the Windows 95 family: changing it (the password mode) and asking for it
// before a full-screen session ends.
#pragma once

// The password mode: lets the user change the saver password through the system's MPR.DLL.
void ChangePassword();
