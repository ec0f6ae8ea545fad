// Copying revealed runs and blending whole frames for the page transitions.
#include "browser/Compositor.h"

#include <algorithm>
#include <cstring>

void TDirtyRect::Include(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (left >= right || top >= bottom) return;
  if (Empty()) {
    *this = {left, top, right, bottom};
    return;
  }
  Left = std::min(Left, left);
  Top = std::min(Top, top);
  Right = std::max(Right, right);
  Bottom = std::max(Bottom, bottom);
}

void CopyNewSpans(const TPixelSpans& before, const TPixelSpans& now, const uint32_t* sourceRow,
                  uint32_t* targetRow, int32_t y, TDirtyRect& changed) {
  int32_t left = INT32_MAX, right = INT32_MIN;
  auto copy = [&](int32_t begin, int32_t end) {
    if (end - begin <= 8) {  // most runs of a frame are a pixel or two wide: no call for those
      for (int32_t x = begin; x < end; ++x) targetRow[x] = sourceRow[x];
    } else {
      std::memcpy(targetRow + begin, sourceRow + begin, static_cast<size_t>(end - begin) * 4);
    }
    left = std::min(left, begin);
    right = std::max(right, end);
  };
  int32_t j = 0;
  for (int32_t i = 0; i < now.Count; ++i) {
    int32_t cursor = now.Items[i].Begin;
    const int32_t end = now.Items[i].End;
    while (j < before.Count && before.Items[j].End <= cursor) ++j;
    for (int32_t k = j; k < before.Count && before.Items[k].Begin < end; ++k) {
      if (before.Items[k].Begin > cursor) copy(cursor, before.Items[k].Begin);
      cursor = std::max(cursor, before.Items[k].End);
    }
    if (cursor < end) copy(cursor, end);
  }
  if (left < right) changed.Include(left, y, right, y + 1);
}

uint32_t FadeWeight(uint64_t progress) {
  return static_cast<uint32_t>((progress + (uint64_t{1} << 23)) >> 24);
}

namespace {

// Four pixels as eight 16-bit lanes, one channel per lane: the compiler's vector type (SSE2 on
// x86-64; the same integer arithmetic on any target), so the fade runs near memory speed even
// without -O3.
typedef uint16_t TLanes __attribute__((vector_size(16)));

}  // namespace

void BlendPixels(const uint32_t* oldPixels, const uint32_t* newPixels, uint32_t* target,
                 size_t count, uint32_t weight) {
  // In a 16-bit lane old * (256 - w) + new * w + 128 stays below 2^16, so the rounding happens
  // without leaving the lane.
  const TLanes keep = TLanes{} + static_cast<uint16_t>(256 - weight);
  const TLanes gain = TLanes{} + static_cast<uint16_t>(weight);
  const TLanes low = TLanes{} + uint16_t{0x00FF}, high = TLanes{} + uint16_t{0xFF00};
  const TLanes half = TLanes{} + uint16_t{0x0080};
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    TLanes a, b;
    std::memcpy(&a, oldPixels + i, 16);
    std::memcpy(&b, newPixels + i, 16);
    TLanes even = (a & low) * keep + (b & low) * gain;  // B and R
    TLanes odd = (a >> 8) * keep + (b >> 8) * gain;     // G and A
    even = (even + half) >> 8;
    odd = (odd + half) & high;
    const TLanes out = even | odd;
    std::memcpy(target + i, &out, 16);
  }
  for (; i < count; ++i) {  // the last pixels one at a time, channel by channel
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const uint32_t sum = ((oldPixels[i] >> shift) & 255) * (256 - weight) + ((newPixels[i] >> shift) & 255) * weight;
      out |= ((sum + 128) >> 8) << shift;
    }
    target[i] = out;
  }
}
