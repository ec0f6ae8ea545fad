// Frames for the benchmarks: opaque noise, which no transition or blend can take a shortcut on.
#pragma once

#include <cstdint>

#include "imaging/Frame.h"

inline TFrame NoiseFrame(int32_t w, int32_t h, uint32_t salt) {
  TFrame frame(w, h);
  uint32_t state = salt;
  for (uint32_t& pixel : frame.Pixels) {
    state = state * 1664525u + 1013904223u;
    pixel = 0xFF000000u | (state >> 8);
  }
  return frame;
}
