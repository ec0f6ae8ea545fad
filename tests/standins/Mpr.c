/* Stand-in MPR.DLL: records the arguments of PwdChangePasswordA; shows nothing. */
#include "tests/standins/StandInLog.h"

__declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR regKeyName, HWND window, DWORD reserved1,
                                                      DWORD reserved2) {
  HKEY key = OpenStandInKey();
  if (!key) return 0;
  CountCall(key, ChangeCallsValue);
  const char* name = regKeyName ? regKeyName : "";
  RegSetValueExA(key, ChangeKeyNameValue, 0, REG_SZ, (const BYTE*)name, (DWORD)lstrlenA(name) + 1);
  WriteQword(key, ChangeWindowValue, (ULONGLONG)(ULONG_PTR)window);
  WriteDword(key, ChangeReserved1Value, reserved1);
  WriteDword(key, ChangeReserved2Value, reserved2);
  RegCloseKey(key);
  return 0;
}
