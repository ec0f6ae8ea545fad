/* Stand-in PASSWORD.CPL: prompts for a moment, answers VerifyScreenSavePwd as the test asks and
   records each call. */
#include "tests/standins/StandInLog.h"

/* The cursor display count, read without changing it. */
static int CursorCount(void) {
  int count = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return count - 1;
}

/* The system's prompt is a dialog owned by the saver's window: it takes the activation while it
   asks and gives it back to its owner when it closes. This one does the same for a moment. */
static void ShowPrompt(HWND owner) {
  WNDCLASSA wc = {0};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = "StandInPasswordPrompt";
  RegisterClassA(&wc);
  HWND prompt = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Password", WS_POPUP | WS_BORDER | WS_VISIBLE, 20,
                                20, 160, 60, owner, NULL, wc.hInstance, NULL);
  if (!prompt) return;
  SetForegroundWindow(prompt);
  SetActiveWindow(prompt);
  DWORD until = GetTickCount() + 300;
  while ((LONG)(until - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
  DestroyWindow(prompt);
}

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  HKEY key = OpenStandInKey();
  if (!key) return FALSE;
  ShowPrompt(window);
  WriteQword(key, VerifyWindowValue, (ULONGLONG)(ULONG_PTR)window);
  WriteDword(key, VerifyCursorCountValue, (DWORD)CursorCount());
  const DWORD none = 0x80000000u;
  DWORD x = ReadDword(key, VerifyCursorXValue, none);
  DWORD y = ReadDword(key, VerifyCursorYValue, none);
  if (x != none && y != none) SetCursorPos((int)x, (int)y);
  BOOL answer = (BOOL)ReadDword(key, VerifyAnswerValue, 0);
  /* Counted last: a test that sees the call counted sees the cursor where the prompt left it. */
  CountCall(key, VerifyCallsValue);
  RegCloseKey(key);
  return answer;
}
