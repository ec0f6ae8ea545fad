// A rectangle in pixels by its top-left corner and its size: where a picture lands in a frame,
// where a part of a dialog goes. Left and Top may be negative.
#pragma once

#include <cstdint>

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;

  constexpr int32_t Right() const { return Left + Width; }
  constexpr int32_t Bottom() const { return Top + Height; }
  constexpr bool Empty() const { return Width <= 0 || Height <= 0; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};
