// A rectangle in pixels by its top-left corner and its size, and the geometry done with it: where
// a picture lands in a frame, what a transition step changed, where a part of a dialog goes and
// how it grows with the monitor's DPI. Left and Top may be negative.
#pragma once

#include <algorithm>
#include <cstdint>

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;

  // Columns [left, right), rows [top, bottom).
  static constexpr TRect FromEdges(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return {left, top, right - left, bottom - top};
  }
  constexpr int32_t Right() const { return Left + Width; }
  constexpr int32_t Bottom() const { return Top + Height; }
  constexpr bool Empty() const { return Width <= 0 || Height <= 0; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

// The part of both; {} when they do not overlap. Edges beyond 32 bits are computed exactly.
constexpr TRect Intersect(const TRect& a, const TRect& b) {
  if (a.Empty() || b.Empty()) return {};
  const int64_t left = std::max(a.Left, b.Left), top = std::max(a.Top, b.Top);
  const int64_t right = std::min(int64_t{a.Left} + a.Width, int64_t{b.Left} + b.Width);
  const int64_t bottom = std::min(int64_t{a.Top} + a.Height, int64_t{b.Top} + b.Height);
  if (right <= left || bottom <= top) return {};
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
          static_cast<int32_t>(bottom - top)};
}

// The smallest rectangle that holds both; an empty one adds nothing.
constexpr TRect Union(const TRect& a, const TRect& b) {
  if (b.Empty()) return a;
  if (a.Empty()) return b;
  return TRect::FromEdges(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right(), b.Right()),
                          std::max(a.Bottom(), b.Bottom()));
}

// The pixels per inch that design sizes are given in.
inline constexpr int32_t DesignDpi = 96;

// Design pixels at `dpi`, rounded to the nearest pixel with halves away from zero (as MulDiv).
constexpr int32_t ScaleToDpi(int32_t designPixels, int32_t dpi) {
  const int64_t product = int64_t{designPixels} * dpi, half = DesignDpi / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / DesignDpi : -((-product + half) / DesignDpi));
}

// A rectangle at `dpi`. Its edges are scaled rather than its size, so parts that touch or share
// an edge in the design still do at every DPI, and a part inside another stays inside.
constexpr TRect ScaleToDpi(const TRect& design, int32_t dpi) {
  return TRect::FromEdges(ScaleToDpi(design.Left, dpi), ScaleToDpi(design.Top, dpi), ScaleToDpi(design.Right(), dpi),
                          ScaleToDpi(design.Bottom(), dpi));
}
