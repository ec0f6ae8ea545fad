// A frame of the page view: 32-bit pixels, B G R A in memory (0xAARRGGBB as uint32_t on
// little-endian), rows top-down without padding, so it can back a top-down 32-bit DIB section.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TFrame {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;  // Width * Height values, row-major

  TFrame() = default;
  TFrame(int32_t width, int32_t height, uint32_t fill = 0xFF000000u)
      : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, fill) {}
  uint32_t* Row(int32_t y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
  const uint32_t* Row(int32_t y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
};
