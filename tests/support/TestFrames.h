// Synthetic frames for the transition and drawing tests, every channel of the new frame differing
// from the old, and the pixels a rectangle covers.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "imaging/Frame.h"

inline TFrame OldTestFrame(int32_t w, int32_t h) {
  TFrame frame(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t r = (x * 255) / (w > 1 ? w - 1 : 1), g = (y * 255) / (h > 1 ? h - 1 : 1);
      const uint32_t b = ((x / 4 + y / 4) % 2) ? 200 : 40;
      frame.Row(y)[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  return frame;
}

inline TFrame NewTestFrame(int32_t w, int32_t h) {
  TFrame frame(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int32_t dx = 2 * x + 1 - w, dy = 2 * y + 1 - h;
      const uint32_t ring = static_cast<uint32_t>((dx * dx + dy * dy) / 16) % 256;
      const uint32_t r = (ring * 3) % 254, g = 250 - (x * 7 + y * 3) % 200, b = (x * y) % 127 + 128;
      frame.Row(y)[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  return frame;
}

inline bool Covers(const TRect& r, int32_t x, int32_t y) {
  return x >= r.Left && x < r.Right() && y >= r.Top && y < r.Bottom();
}
