// What the screen shows of a window: its client area's top-left width x height pixels as a frame.
#pragma once

#include <windows.h>

#include "base/OwnersWin32.h"
#include "base/WindowClassWin32.h"
#include "imaging/Frame.h"

inline TFrame CapturedClient(HWND window, int width, int height) {
  TFrame frame(width, height);
  HDC screen = GetDC(window);
  TMemoryDC memory(CreateCompatibleDC(screen));
  TGdiBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  {
    TSelectedObject selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
  }
  BITMAPINFO info = TopDownDibInfo(width, height);
  GetDIBits(memory.Get(), bitmap.Get(), 0, height, frame.Pixels.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& pixel : frame.Pixels) pixel |= 0xFF000000u;
  ReleaseDC(window, screen);
  return frame;
}
