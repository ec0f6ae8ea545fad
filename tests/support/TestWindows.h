// The tests' own windows: the plain window a host gives the program's windows to live in, and the
// cursor's display count. Windows are owned by TWindow (base/OwnersWin32.h).
#pragma once

#include <windows.h>

#include <cwchar>

#include "base/WindowClassWin32.h"

// A window with no behaviour of its own (DefWindowProc), its background the stock brush `brush`
// (BLACK_BRUSH, WHITE_BRUSH, ...). Nothing when it cannot be made.
inline HWND CreateHostWindow(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
                             int brush = BLACK_BRUSH, const wchar_t* title = L"") {
  wchar_t className[32];
  std::swprintf(className, 32, L"LumivaleTestHost%d", brush);
  RegisterWindowClass(className, DefWindowProcW, 0, nullptr, static_cast<HBRUSH>(GetStockObject(brush)));
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// The cursor's display count, read without changing it.
inline int CursorCount() {
  const int count = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return count - 1;
}
