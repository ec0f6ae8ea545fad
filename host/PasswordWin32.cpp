// The password services through MPR.DLL and PASSWORD.CPL of the system directory.
#include "host/Password.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/HostWindowWin32.h"
#include "base/OwnersWin32.h"
#include "host/OsVersionWin32.h"
#include "host/PasswordSetting.h"
#include "host/SystemLibrary.h"
#include "registry/Registry.h"

namespace {

// The library of that name in the system directory; empty when it does not load.
TModuleHandle LoadSystemLibrary(const char* fileName) {
  const std::string path = SystemLibraryPath(
      [](char* buffer, uint32_t size) { return static_cast<uint32_t>(GetSystemDirectoryA(buffer, size)); }, fileName);
  return TModuleHandle(LoadLibraryA(path.c_str()));
}

// The library's entry point as a function of type `TProc`, or null.
template <typename TProc>
TProc EntryPoint(const TModuleHandle& library, const char* name) {
  // Through void(*)(), the one function type every other converts to without a warning.
  return reinterpret_cast<TProc>(reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), name)));
}

using TPwdChangePassword = DWORD(WINAPI*)(LPCSTR regKeyName, HWND parent, DWORD reserved1, DWORD reserved2);
using TVerifyScreenSavePwd = BOOL(WINAPI*)(HWND window);

// Asks PASSWORD.CPL; true without a prompt when the library or its entry point is missing.
bool AskForPassword() {
  const TModuleHandle library = LoadSystemLibrary("PASSWORD.CPL");
  if (!library) return true;
  const auto verify = EntryPoint<TVerifyScreenSavePwd>(library, "VerifyScreenSavePwd");
  if (!verify) return true;
  return verify(GetForegroundWindow()) != FALSE;
}

}  // namespace

void ChangePassword(const TRunRequest& run) {
  const TModuleHandle library = LoadSystemLibrary("MPR.DLL");
  if (!library) return;
  if (const auto change = EntryPoint<TPwdChangePassword>(library, "PwdChangePasswordA"))
    change("SCRSAVE", HostWindow(run), 0, 0);
}

bool VerifyPassword(TPoint& startCursor) {
  if (IsWindowsNT()) return true;
  if (!SaverPasswordInUse(CurrentRegistry())) return true;
  // The full-screen session hides the cursor; the prompt needs it.
  bool mayEnd = false;
  {
    const TPairedRelease shown = RevealCursor();
    mayEnd = AskForPassword();
  }
  // When the session goes on, movement counts from where the cursor stands after the prompt.
  if (POINT cursor; GetCursorPos(&cursor)) startCursor = TPoint{cursor.x, cursor.y};
  return mayEnd;
}
