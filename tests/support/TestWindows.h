// The tests' own windows: an owner for one, the plain window a host gives the program's windows
// to live in, and the cursor's display count.
#pragma once

#include <windows.h>

#include <cwchar>
#include <memory>
#include <type_traits>

struct TWindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using TWindow = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDestroyer>;

// A window with no behaviour of its own (DefWindowProc), its background the stock brush `brush`
// (BLACK_BRUSH, WHITE_BRUSH, ...). Nothing when it cannot be made.
inline HWND CreateHostWindow(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
                             int brush = BLACK_BRUSH, const wchar_t* title = L"") {
  wchar_t className[32];
  std::swprintf(className, 32, L"LumivaleTestHost%d", brush);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(brush));
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);  // fails harmlessly once the class exists
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                         windowClass.hInstance, nullptr);
}

// The cursor's display count, read without changing it.
inline int CursorCount() {
  const int count = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return count - 1;
}
