// What the screen shows of a window: its client area's pixels as a frame, and whether it is black.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>

#include "base/OwnersWin32.h"
#include "base/WindowClassWin32.h"
#include "imaging/Frame.h"
#include "tests/support/MessageLoop.h"

// The client area's top-left width x height pixels.
inline TFrame CapturedClient(HWND window, int width, int height) {
  TFrame frame(width, height);
  HDC screen = GetDC(window);
  TMemoryDC memory(CreateCompatibleDC(screen));
  TGdiBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  std::optional<TSelectedObject> selected(std::in_place, memory.Get(), bitmap.Get());
  BitBlt(memory.Get(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
  selected.reset();
  BITMAPINFO info = TopDownDibInfo(width, height);
  GetDIBits(memory.Get(), bitmap.Get(), 0, height, frame.Pixels.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& pixel : frame.Pixels) pixel |= 0xFF000000u;
  ReleaseDC(window, screen);
  return frame;
}

inline bool AllBlack(const TFrame& frame) {
  return !frame.Pixels.empty() && std::all_of(frame.Pixels.begin(), frame.Pixels.end(), [](uint32_t p) { return p == 0xFF000000u; });
}

// Handles messages until the window's client area shows black on screen; false if it never does.
inline bool ShowsBlack(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return PumpUntil([&] { return AllBlack(CapturedClient(window, client.right, client.bottom)); });
}
