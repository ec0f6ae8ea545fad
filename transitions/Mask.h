// The geometric reveal masks of the page transitions: which pixels show the new page at a given
// progress, both pixel by pixel (the reference) and as spans per row (what frames are built from).
#pragma once

#include <cstdint>

// Progress p in [0, 1] is carried as the exact fraction P / 2^32 (P = floor(p * 2^32)), so the
// masks are evaluated in integer arithmetic: the same bits on every compiler and platform, and
// pixel centres that lie exactly on a cell edge fall on the side the inequalities say.
constexpr uint64_t ProgressOne = uint64_t{1} << 32;
uint64_t FixedProgress(double p);  // clamps to [0, 1]; NaN counts as 0

// The reveal patterns by number; 23 stands for one of 0 to 22 chosen when a transition starts.
enum TRevealPattern : int32_t {
  rpBoxIn, rpBoxOut, rpCircleIn, rpCircleOut, rpWipeUp, rpWipeDown, rpWipeRight, rpWipeLeft,
  rpVerticalBlinds, rpHorizontalBlinds, rpCheckerboardAcross, rpCheckerboardDown,
  rpRandomDissolve, rpSplitVerticalIn, rpSplitVerticalOut, rpSplitHorizontalIn,
  rpSplitHorizontalOut, rpStripsLeftDown, rpStripsLeftUp, rpStripsRightDown, rpStripsRightUp,
  rpRandomBarsHorizontal, rpRandomBarsVertical, rpRandom
};
constexpr int32_t RevealPatternCount = 23;  // 0 to 22

// Frame sides up to this size keep every product of the mask arithmetic inside 64 bits.
constexpr int32_t MaxMaskSide = 32767;

// True for the patterns that depend on position alone (all but dissolve and the random bars).
bool IsGeometricPattern(int32_t pattern);

// Reference predicate: whether pixel (x, y) of a width x height frame shows the new picture at
// progress P, evaluated directly from the pattern's inequality at the pixel centre. Geometric
// patterns only; 1 <= width, height <= MaxMaskSide.
bool MaskAt(int32_t pattern, int32_t x, int32_t y, int32_t width, int32_t height, uint64_t progress);
inline bool MaskAt(int32_t pattern, int32_t x, int32_t y, int32_t width, int32_t height, double p) {
  return MaskAt(pattern, x, y, width, height, FixedProgress(p));
}

// Half-open runs [Begin, End) of pixels in one row, sorted, disjoint and not touching.
struct TPixelSpan {
  int32_t Begin;
  int32_t End;
};
struct TPixelSpans {
  static constexpr int32_t Capacity = 16;  // blinds need 10, checkerboards 7, the rest 2
  int32_t Count = 0;
  TPixelSpan Items[Capacity];

  void Clear() { Count = 0; }
  // Appends [begin, end) clipped to [0, limit); begins must not decrease from call to call.
  void Add(int64_t begin, int64_t end, int32_t limit);
};

// One geometric pattern on a frame of fixed size at a settable progress, giving each row's new
// pixels as spans worked out from the inequalities (a few integer operations per row, no test of
// single pixels). Exactly equal to MaskAt pixel for pixel.
class TMaskShape {
 public:
  TMaskShape(int32_t pattern, int32_t width, int32_t height);

  void SetProgress(uint64_t progress);
  uint64_t Progress() const { return FProgress; }
  void RowSpans(int32_t y, TPixelSpans& spans) const;

 private:
  int32_t FPattern;
  int32_t FWidth;
  int32_t FHeight;
  uint64_t FProgress = 0;
  int64_t FThreshold = 0;     // circles: squared-distance bound; strips: diagonal bound
  TPixelSpans FColumns[2];    // column-only parts; checkerboard across: even and odd rows
  TPixelSpans FEvenCells;     // checkerboard down: the columns of even and of odd cells
  TPixelSpans FOddCells;
  int32_t FBlockEnd[16] = {};  // strips: columns whose block index is at most k lie below FBlockEnd[k]
};
