// Telling the NT family from the Windows 95 family, which alone asks for the saver password.
// A Win32 header: only Win32 code needs it.
#pragma once

#include <windows.h>

// Zero-fills the 148-byte record, sets its size field and asks GetVersionExA; true when the
// system filled it.
bool GetOSVersionInfo(OSVERSIONINFOA& info);

// True exactly when the version could be read and names the NT platform; a system whose version
// cannot be read counts as the Windows 95 family.
bool IsWindowsNT();
