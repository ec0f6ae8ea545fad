/* Stand-in PASSWORD.CPL: answers VerifyScreenSavePwd as the test asks and records each call. */
#include "tests/standins/StandInLog.h"

/* The cursor display count, read without changing it. */
static int CursorCount(void) {
  int count = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return count - 1;
}

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  HKEY key = OpenStandInKey();
  if (!key) return FALSE;
  CountCall(key, VerifyCallsValue);
  WriteQword(key, VerifyWindowValue, (ULONGLONG)(ULONG_PTR)window);
  WriteDword(key, VerifyCursorCountValue, (DWORD)CursorCount());
  const DWORD none = 0x80000000u;
  DWORD x = ReadDword(key, VerifyCursorXValue, none);
  DWORD y = ReadDword(key, VerifyCursorYValue, none);
  if (x != none && y != none) SetCursorPos((int)x, (int)y);
  BOOL answer = (BOOL)ReadDword(key, VerifyAnswerValue, 0);
  RegCloseKey(key);
  return answer;
}
