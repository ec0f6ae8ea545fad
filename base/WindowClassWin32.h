// What every window kind of the program shares: its class registered once, the thunk that takes
// a message to the object that made the window, and the top-down 32-bit DIB that frames are
// drawn into and read from.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"

// Registers the window class `name` of this module once; later calls find it registered. The
// cursor is the arrow; without a background brush the window erases nothing itself.
inline void RegisterWindowClass(const wchar_t* name, WNDPROC proc, UINT style = 0, HICON icon = nullptr,
                                HBRUSH background = nullptr) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, name, &wc)) return;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

// The object whose window this is: a window made with the object as its creation parameter is
// bound to it at WM_NCCREATE (which also stores the window in the object's `handle` field); every
// later message finds it. Null before the binding and after UnbindWindowObject.
template <class T>
T* WindowObject(HWND hwnd, UINT msg, LPARAM lParam, HWND T::*handle) {
  if (msg == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    object->*handle = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The window procedure of a window kind whose object answers its messages with `handler`:
// messages before the binding get the default handling, and what a handler raises goes to the
// application's error report (no exception crosses the system's frames).
template <class T>
LRESULT DispatchToWindowObject(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HWND T::*handle,
                               LRESULT (T::*handler)(UINT, WPARAM, LPARAM)) {
  T* object = WindowObject(hwnd, msg, lParam, handle);
  if (object == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  try {
    return (object->*handler)(msg, wParam, lParam);
  } catch (...) {
    Application.HandleCurrentException();
    return 0;
  }
}

// From now on the window's messages reach no object (it is being destroyed, or its object is).
inline void UnbindWindowObject(HWND hwnd) { SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); }

// 32-bit pixels in top-down rows without padding: the layout of a TFrame.
inline BITMAPINFO TopDownDibInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

struct TDibSection {
  TGdiBitmap Bitmap;
  uint32_t* Bits = nullptr;  // width * height pixels, while Bitmap lives
};

// A top-down 32-bit DIB section; an empty Bitmap when the system has none to give.
inline TDibSection CreateTopDownDib(int width, int height) {
  const BITMAPINFO info = TopDownDibInfo(width, height);
  void* bits = nullptr;
  TDibSection dib;
  dib.Bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dib.Bitmap) dib.Bits = static_cast<uint32_t*>(bits);
  return dib;
}
