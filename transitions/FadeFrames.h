// The two frames of a cross-fade as its blend reads them: only the rectangle where they differ
// is blended (outside it every step would write what is already there, and nothing needs to be
// presented), and opaque frames are kept at three bytes a pixel, a quarter less to read, where
// the vector unit can unpack them quickly.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Frame.h"
#include "transitions/Compositor.h"

// The smallest rectangle outside which the two frames (of one size) are equal; empty when they
// are equal everywhere. Reads what lies outside the rectangle and little more.
TRect DifferingRect(const TFrame& a, const TFrame& b);

class TFadeFrames {
 public:
  // Both frames have one size and stay alive and unchanged while this exists.
  TFadeFrames(const TFrame& oldFrame, const TFrame& newFrame);

  const TRect& Changed() const { return FChanged; }
  // Writes the blend of the two frames at weight (0 to 256) into the changed rectangle of
  // target, which has the frames' size; the rest of target is left alone.
  void Blend(uint32_t weight, TFrameTarget target) const;

 private:
  const TFrame* FOld;
  const TFrame* FNew;
  TRect FChanged;
  // The changed rectangles' rows, B G R, PackedSlack bytes of room at the end; empty when a
  // frame has a pixel that is not opaque, or on the base vector unit.
  std::vector<uint8_t> FPackedOld, FPackedNew;
};
