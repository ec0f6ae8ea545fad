// Finds what a cross-fade changes and keeps its two frames compact for the blend.
#include "transitions/FadeFrames.h"

#include <algorithm>
#include <cstring>

#include "imaging/VectorUnit.h"

TRect DifferingRect(const TFrame& a, const TFrame& b) {
  const int32_t w = a.Width, h = a.Height;
  const size_t rowBytes = static_cast<size_t>(w) * sizeof(uint32_t);
  auto rowsDiffer = [&](int32_t y) { return std::memcmp(a.Row(y), b.Row(y), rowBytes) != 0; };
  int32_t top = 0, bottom = h;
  while (top < h && !rowsDiffer(top)) ++top;
  if (top == h) return {};
  while (!rowsDiffer(bottom - 1)) --bottom;
  // Each row is read from the left only up to the leftmost difference found so far, and from
  // the right likewise: for pictures on black that is their margins.
  int32_t left = w, right = 0;
  for (int32_t y = top; y < bottom; ++y) {
    const uint32_t *rowA = a.Row(y), *rowB = b.Row(y);
    int32_t x = 0;
    while (x < left && rowA[x] == rowB[x]) ++x;
    if (x == w) continue;  // an equal row between two that differ
    left = std::min(left, x);
    x = w;
    while (x > right && rowA[x - 1] == rowB[x - 1]) --x;
    right = std::max(right, x);
  }
  return TRect::FromEdges(left, top, right, bottom);
}

namespace {

// The rectangle's rows of frame, three bytes a pixel; false, and packed left empty, when a
// pixel is not opaque.
bool Pack(const TFrame& frame, const TRect& rect, std::vector<uint8_t>& packed) {
  const size_t width = static_cast<size_t>(rect.Width);
  packed.resize(width * rect.Height * 3 + PackedSlack);
  uint8_t* out = packed.data();
  uint32_t alpha = 0xFF000000u;
  for (int32_t y = rect.Top; y < rect.Bottom(); ++y) {
    const uint32_t* row = frame.Row(y) + rect.Left;
    size_t x = 0;
    for (; x + 4 <= width; x += 4, out += 12) {  // four pixels into three words
      const uint32_t p0 = row[x], p1 = row[x + 1], p2 = row[x + 2], p3 = row[x + 3];
      alpha &= p0 & p1 & p2 & p3;
      const uint32_t words[3] = {(p0 & 0xFFFFFFu) | p1 << 24, ((p1 >> 8) & 0xFFFFu) | p2 << 16,
                                 ((p2 >> 16) & 0xFFu) | p3 << 8};
      std::memcpy(out, words, 12);
    }
    for (; x < width; ++x, out += 3) {
      const uint32_t pixel = row[x];
      alpha &= pixel;
      out[0] = static_cast<uint8_t>(pixel);
      out[1] = static_cast<uint8_t>(pixel >> 8);
      out[2] = static_cast<uint8_t>(pixel >> 16);
    }
    if (alpha < 0xFF000000u) {
      packed = {};
      return false;
    }
  }
  return true;
}

}  // namespace

TFadeFrames::TFadeFrames(const TFrame& oldFrame, const TFrame& newFrame)
    : FOld(&oldFrame), FNew(&newFrame), FChanged(DifferingRect(oldFrame, newFrame)) {
  // Without a byte shuffle (SSE2) unpacking costs more than the quarter it saves.
  if (FChanged.Empty() || WidestVectorUnit() == TVectorUnit::Base) return;
  if (!Pack(oldFrame, FChanged, FPackedOld) || !Pack(newFrame, FChanged, FPackedNew)) {
    FPackedOld = {};
    FPackedNew = {};
  }
}

void TFadeFrames::Blend(uint32_t weight, TFrameTarget target) const {
  if (FChanged.Empty()) return;
  // Whole rows lie one after the other in every frame: one run then, whose ends are the only
  // pixels that cannot go a vector at a time.
  const int32_t width = FChanged.Width;
  const bool wholeRows = width == target.Width && target.RowPitch() == static_cast<size_t>(width);
  const int32_t runs = wholeRows ? 1 : FChanged.Height;
  const size_t run = wholeRows ? static_cast<size_t>(width) * FChanged.Height : width;
  for (int32_t i = 0; i < runs; ++i) {
    const int32_t y = FChanged.Top + i;
    uint32_t* out = target.Row(y) + FChanged.Left;
    if (!FPackedOld.empty()) {
      const size_t at = static_cast<size_t>(i) * width * 3;
      BlendPackedPixels(FPackedOld.data() + at, FPackedNew.data() + at, out, run, weight);
    } else {
      BlendPixels(FOld->Row(y) + FChanged.Left, FNew->Row(y) + FChanged.Left, out, run, weight);
    }
  }
}
