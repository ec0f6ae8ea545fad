// The system's version record and its platform.
#include "host/OsVersionWin32.h"

#include <cstring>

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the system expects");

bool GetOSVersionInfo(OSVERSIONINFOA& info) {
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) != 0;
}

bool IsWindowsNT() {
  OSVERSIONINFOA info;
  return GetOSVersionInfo(info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
