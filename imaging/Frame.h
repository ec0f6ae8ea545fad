// A frame of a window's picture: 32-bit pixels, B G R A in memory (0xAARRGGBB as uint32_t on
// little-endian), rows top-down without padding, so it can back a top-down 32-bit DIB section.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// Pixel memory whose values are left undefined where no value is given (a vector's size
// alone), so that a frame that is about to be drawn over completely is not filled first: for a
// 4K picture that fill costs a fifth of preparing it.
template <typename T>
struct TPixelAllocator : std::allocator<T> {
  TPixelAllocator() = default;
  template <typename U>
  TPixelAllocator(const TPixelAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* at) noexcept { ::new (static_cast<void*>(at)) U; }
  template <typename U, typename... TArgs>
  void construct(U* at, TArgs&&... args) { ::new (static_cast<void*>(at)) U(std::forward<TArgs>(args)...); }
};
using TPixels = std::vector<uint32_t, TPixelAllocator<uint32_t>>;

struct TFrame {
  int32_t Width = 0;
  int32_t Height = 0;
  TPixels Pixels;  // Width * Height values, row-major

  // For a frame whose every pixel is written before it is read.
  struct TUndefined {};
  static constexpr TUndefined Undefined{};

  TFrame() = default;
  TFrame(int32_t width, int32_t height, uint32_t fill = 0xFF000000u)
      : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, fill) {}
  TFrame(int32_t width, int32_t height, TUndefined)
      : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height) {}
  uint32_t* Row(int32_t y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
  const uint32_t* Row(int32_t y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
};
