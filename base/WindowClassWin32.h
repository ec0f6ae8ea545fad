// Window classes registered once, and the top-down 32-bit DIB that frames are drawn into and
// read from.
#pragma once

#include <windows.h>

#include <cstdint>

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
