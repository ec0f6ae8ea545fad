// Pixel work of the page transitions: copying the newly revealed runs of a row and blending two
// frames, both straight into the memory the window presents.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Rect.h"
#include "imaging/Frame.h"
#include "transitions/Mask.h"

// Pixels the transition draws into: width x height values in top-down rows, as in a TFrame or
// the bits of a top-down 32-bit DIB section. Rows lie Stride pixels apart (0: Width apart), so a
// target can be a rectangle at the top-left corner of a larger surface. The caller owns the memory.
struct TFrameTarget {
  uint32_t* Pixels = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Stride = 0;

  size_t RowPitch() const { return static_cast<size_t>(Stride > 0 ? Stride : Width); }
  uint32_t* Row(int32_t y) const { return Pixels + static_cast<size_t>(y) * RowPitch(); }
};
inline TFrameTarget TargetOf(TFrame& frame) { return {frame.Pixels.data(), frame.Width, frame.Height, frame.Width}; }

// Copies from source to target the pixels of one row that lie in `now` but not in `before`, and
// widens changed, the part of the target the step changed, by them (row y). Both span lists
// sorted and disjoint.
void CopyNewSpans(const TPixelSpans& before, const TPixelSpans& now, const uint32_t* sourceRow,
                  uint32_t* targetRow, int32_t y, TRect& changed);

// The cross-fade's weight for progress P: w = floor(256 p + 1/2), from 0 to 256.
uint32_t FadeWeight(uint64_t progress);

// target = oldPixels + (newPixels - oldPixels) * w / 256 for each of the four 8-bit channels,
// rounded to the nearest integer, halves up: (old * (256 - w) + new * w + 128) / 256 in integers.
// Halves to even would cost a quarter more time per frame for one level's difference at exact
// halves. count pixels.
// Runs on the widest vector unit of the processor it runs on; the result is the same on all.
void BlendPixels(const uint32_t* oldPixels, const uint32_t* newPixels, uint32_t* target,
                 size_t count, uint32_t weight);

// BlendPixels for opaque pixels stored as three bytes each, B G R, as a cross-fade keeps its
// frames to read a quarter less; the result is opaque. The vector units read up to
// PackedSlack bytes beyond the last pixel, which must be there.
inline constexpr size_t PackedSlack = 16;
void BlendPackedPixels(const uint8_t* oldPixels, const uint8_t* newPixels, uint32_t* target, size_t count,
                       uint32_t weight);
