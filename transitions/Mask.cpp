// Geometric reveal masks in exact integer arithmetic over the pixel centres (i + 1/2) / size.
#include "transitions/Mask.h"

#include <algorithm>
#include <cmath>

namespace {

using TWide = unsigned __int128;

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  return (a % b != 0 && a > 0) ? q + 1 : q;
}

int64_t CeilDivOne(TWide a) {  // ceil(a / 2^64) for the circles' squared bounds
  return static_cast<int64_t>((a >> 64) + ((static_cast<uint64_t>(a) != 0) ? 1 : 0));
}

// Largest r with r * r <= n, for 0 <= n < 2^40.
int64_t ISqrt(int64_t n) {
  auto r = static_cast<int64_t>(std::sqrt(static_cast<double>(n)));
  while (r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// Twice the distance of pixel i's centre from the middle of the axis, |2i + 1 - size|; the
// centre offset |u - 1/2| is this over 2 * size.
int64_t HalfPixelOffset(int64_t i, int64_t size) {
  int64_t d = 2 * i + 1 - size;
  return d < 0 ? -d : d;
}

// |u - 1/2| < p / 2, that is offset * 2^32 < P * size.
bool WithinCentre(int64_t offset, int64_t size, uint64_t progress) {
  return static_cast<uint64_t>(offset) * ProgressOne < progress * static_cast<uint64_t>(size);
}

// |u - 1/2| >= (1 - p) / 2.
bool BeyondCentre(int64_t offset, int64_t size, uint64_t progress) {
  return static_cast<uint64_t>(offset) * ProgressOne >=
         (ProgressOne - progress) * static_cast<uint64_t>(size);
}

// u < p, with u = centre / (2 * size) and centre = 2i + 1.
bool BeforeEdge(int64_t centre, int64_t size, uint64_t progress) {
  return static_cast<uint64_t>(centre) * ProgressOne < progress * static_cast<uint64_t>(2 * size);
}

// u > 1 - p.
bool AfterEdge(int64_t centre, int64_t size, uint64_t progress) {
  return static_cast<uint64_t>(centre) * ProgressOne >
         (ProgressOne - progress) * static_cast<uint64_t>(2 * size);
}

// frac(numerator / denominator) < p.
bool FractionBelow(int64_t numerator, int64_t denominator, uint64_t progress) {
  return static_cast<uint64_t>(numerator % denominator) * ProgressOne <
         progress * static_cast<uint64_t>(denominator);
}

// The columns of the centred run |2x + 1 - width| < bound, as [begin, end) (begin = end: none).
void CentreRun(int64_t bound, int32_t width, int64_t& begin, int64_t& end) {
  begin = FloorDiv(width - 1 - bound, 2) + 1;
  end = CeilDiv(width - 1 + bound, 2);
  begin = std::clamp<int64_t>(begin, 0, width);
  end = std::clamp<int64_t>(end, begin, width);
}

void AddCentre(TPixelSpans& spans, int64_t bound, int32_t width) {
  int64_t begin, end;
  CentreRun(bound, width, begin, end);
  spans.Add(begin, end, width);
}

void AddOutsideCentre(TPixelSpans& spans, int64_t bound, int32_t width) {
  int64_t begin, end;
  CentreRun(bound, width, begin, end);
  if (begin == end) {
    spans.Add(0, width, width);
  } else {
    spans.Add(0, begin, width);
    spans.Add(end, width, width);
  }
}

// Strips count 16 blocks along each edge; block index of pixel i: floor(16 (2i + 1) / (2 size)).
int64_t StripBlock(int64_t i, int64_t size) { return 8 * (2 * i + 1) / size; }

bool IsStrips(int32_t pattern) { return pattern >= rpStripsLeftDown && pattern <= rpStripsRightUp; }
bool StripsFlipX(int32_t pattern) { return pattern == rpStripsRightDown || pattern == rpStripsRightUp; }
bool StripsFlipY(int32_t pattern) { return pattern == rpStripsLeftUp || pattern == rpStripsRightUp; }

// Strips: block (bx, by) is new when bx + by + 1 <= p * (2 * 16 - 1), that is when
// bx + by + 1 <= floor(31 P / 2^32), the bound returned here.
int64_t StripsBound(uint64_t progress) { return static_cast<int64_t>((31 * progress) >> 32); }

}  // namespace

uint64_t FixedProgress(double p) {
  if (!(p > 0.0)) return 0;
  if (p >= 1.0) return ProgressOne;
  return static_cast<uint64_t>(std::floor(p * 4294967296.0));  // scaling by 2^32 is exact
}

bool IsGeometricPattern(int32_t pattern) {
  return pattern >= 0 && pattern < RevealPatternCount && pattern != rpRandomDissolve &&
         pattern != rpRandomBarsHorizontal && pattern != rpRandomBarsVertical;
}

bool MaskAt(int32_t pattern, int32_t x, int32_t y, int32_t width, int32_t height,
            uint64_t progress) {
  const int64_t w = width, h = height, cx = 2 * int64_t{x} + 1, cy = 2 * int64_t{y} + 1;
  const int64_t ox = HalfPixelOffset(x, w), oy = HalfPixelOffset(y, h);
  const uint64_t p = progress, q = ProgressOne - progress;
  switch (pattern) {
    case rpBoxIn: return BeyondCentre(ox, w, p) || BeyondCentre(oy, h, p);
    case rpBoxOut: return WithinCentre(ox, w, p) && WithinCentre(oy, h, p);
    case rpCircleIn:
    case rpCircleOut: {
      // d = sqrt(ox^2 + oy^2) / 2 and R = sqrt(w^2 + h^2) / 2, compared squared.
      const TWide d2 = static_cast<TWide>(ox * ox + oy * oy) << 64;
      const TWide r2 = static_cast<TWide>(w * w + h * h);
      return pattern == rpCircleIn ? d2 >= TWide{q} * q * r2 : d2 < TWide{p} * p * r2;
    }
    case rpWipeUp: return AfterEdge(cy, h, p);
    case rpWipeDown: return BeforeEdge(cy, h, p);
    case rpWipeRight: return BeforeEdge(cx, w, p);
    case rpWipeLeft: return AfterEdge(cx, w, p);
    case rpVerticalBlinds: return FractionBelow(5 * cx, w, p);    // frac(10 u) < p
    case rpHorizontalBlinds: return FractionBelow(5 * cy, h, p);  // frac(10 v) < p
    case rpCheckerboardAcross: {
      const int64_t row = 5 * cy / h;  // floor(10 v)
      return FractionBelow(6 * cx + (row % 2) * w, 2 * w, p);  // frac((12 u + row mod 2) / 2)
    }
    case rpCheckerboardDown: {
      const int64_t column = 6 * cx / w;  // floor(12 u)
      return FractionBelow(5 * cy + (column % 2) * h, 2 * h, p);
    }
    case rpSplitVerticalIn: return BeyondCentre(ox, w, p);
    case rpSplitVerticalOut: return WithinCentre(ox, w, p);
    case rpSplitHorizontalIn: return BeyondCentre(oy, h, p);
    case rpSplitHorizontalOut: return WithinCentre(oy, h, p);
    case rpStripsLeftDown:
    case rpStripsLeftUp:
    case rpStripsRightDown:
    case rpStripsRightUp: {
      const int64_t bx = StripBlock(StripsFlipX(pattern) ? w - 1 - x : x, w);
      const int64_t by = StripBlock(StripsFlipY(pattern) ? h - 1 - y : y, h);
      return static_cast<uint64_t>(bx + by + 1) * ProgressOne <= 31 * p;
    }
    default: return false;
  }
}

void TPixelSpans::Add(int64_t begin, int64_t end, int32_t limit) {
  begin = std::max<int64_t>(begin, 0);
  end = std::min<int64_t>(end, limit);
  if (begin >= end) return;
  if (Count > 0 && begin <= Items[Count - 1].End) {
    Items[Count - 1].End = std::max(Items[Count - 1].End, static_cast<int32_t>(end));
    return;
  }
  Items[Count++] = {static_cast<int32_t>(begin), static_cast<int32_t>(end)};
}

TMaskShape::TMaskShape(int32_t pattern, int32_t width, int32_t height)
    : FPattern(pattern), FWidth(width), FHeight(height) {
  const int64_t w = width;
  // Cell i of the checkerboard holds the columns with floor(12 u) = i: 12x + 6 in [i w, (i+1) w).
  for (int64_t i = 0; i < 12; ++i)
    (i % 2 == 0 ? FEvenCells : FOddCells).Add(CeilDiv(i * w - 6, 12), CeilDiv((i + 1) * w - 6, 12), width);
  // Block index at most k: 16x + 8 < (k + 1) w.
  for (int64_t k = 0; k < 16; ++k)
    FBlockEnd[k] = static_cast<int32_t>(std::clamp<int64_t>(CeilDiv((k + 1) * w - 8, 16), 0, w));
  SetProgress(0);
}

void TMaskShape::SetProgress(uint64_t progress) {
  FProgress = progress;
  const uint64_t p = progress, q = ProgressOne - progress;
  const int64_t w = FWidth, h = FHeight;
  FColumns[0].Clear();
  FColumns[1].Clear();
  switch (FPattern) {
    case rpBoxIn:
    case rpSplitVerticalIn:  // offset * 2^32 >= q w  <=>  offset >= ceil(q w / 2^32)
      AddOutsideCentre(FColumns[0], CeilDiv(static_cast<int64_t>(q * w), ProgressOne), FWidth);
      break;
    case rpBoxOut:
    case rpSplitVerticalOut:  // offset < ceil(p w / 2^32)
      AddCentre(FColumns[0], CeilDiv(static_cast<int64_t>(p * w), ProgressOne), FWidth);
      break;
    case rpCircleIn:  // ox^2 + oy^2 >= ceil(q^2 (w^2 + h^2) / 2^64)
      FThreshold = CeilDivOne(TWide{q} * q * static_cast<TWide>(w * w + h * h));
      break;
    case rpCircleOut:  // ox^2 + oy^2 < ceil(p^2 (w^2 + h^2) / 2^64)
      FThreshold = CeilDivOne(TWide{p} * p * static_cast<TWide>(w * w + h * h));
      break;
    case rpWipeRight: {  // 2x + 1 < ceil(2 w p)
      const int64_t bound = CeilDiv(static_cast<int64_t>(p * 2 * w), ProgressOne);
      FColumns[0].Add(0, CeilDiv(bound - 1, 2), FWidth);
      break;
    }
    case rpWipeLeft: {  // 2x + 1 > floor(2 w q)
      const int64_t bound = static_cast<int64_t>((q * 2 * w) >> 32);
      FColumns[0].Add(FloorDiv(bound - 1, 2) + 1, w, FWidth);
      break;
    }
    case rpVerticalBlinds: {  // band b: 5 (2x + 1) in [b w, b w + ceil(p w / 2^32))
      const int64_t open = CeilDiv(static_cast<int64_t>(p * w), ProgressOne);
      for (int64_t b = 0; b < 10; ++b)
        FColumns[0].Add(CeilDiv(b * w - 5, 10), CeilDiv(b * w + open - 5, 10), FWidth);
      break;
    }
    case rpCheckerboardAcross: {  // pair m of row parity j: 6 (2x + 1) + j w in [2 m w, 2 m w + open)
      const int64_t open = CeilDiv(static_cast<int64_t>(p * 2 * w), ProgressOne);
      for (int64_t parity = 0; parity < 2; ++parity)
        for (int64_t m = 0; m <= 6; ++m) {
          const int64_t start = (2 * m - parity) * w - 6;
          FColumns[parity].Add(CeilDiv(start, 12), CeilDiv(start + open, 12), FWidth);
        }
      break;
    }
    default:
      if (IsStrips(FPattern)) FThreshold = StripsBound(p);
      break;
  }
}

void TMaskShape::RowSpans(int32_t y, TPixelSpans& spans) const {
  const int64_t w = FWidth, h = FHeight, cy = 2 * int64_t{y} + 1, oy = HalfPixelOffset(y, h);
  const uint64_t p = FProgress;
  spans.Clear();
  auto full = [&] { spans.Add(0, w, FWidth); };
  auto columns = [&](const TPixelSpans& from) { spans = from; };
  switch (FPattern) {
    case rpBoxIn:
      if (BeyondCentre(oy, h, p)) full(); else columns(FColumns[0]);
      break;
    case rpBoxOut:
      if (WithinCentre(oy, h, p)) columns(FColumns[0]);
      break;
    case rpCircleIn: {  // ox^2 >= rest  <=>  ox > isqrt(rest - 1)
      const int64_t rest = FThreshold - oy * oy;
      if (rest <= 0) full(); else AddOutsideCentre(spans, ISqrt(rest - 1) + 1, FWidth);
      break;
    }
    case rpCircleOut: {  // ox^2 < rest  <=>  ox <= isqrt(rest - 1)
      const int64_t rest = FThreshold - oy * oy;
      if (rest > 0) AddCentre(spans, ISqrt(rest - 1) + 1, FWidth);
      break;
    }
    case rpWipeUp:
      if (AfterEdge(cy, h, p)) full();
      break;
    case rpWipeDown:
      if (BeforeEdge(cy, h, p)) full();
      break;
    case rpHorizontalBlinds:
      if (FractionBelow(5 * cy, h, p)) full();
      break;
    case rpCheckerboardAcross:
      columns(FColumns[(5 * cy / h) % 2]);
      break;
    case rpCheckerboardDown: {
      const bool even = FractionBelow(5 * cy, 2 * h, p), odd = FractionBelow(5 * cy + h, 2 * h, p);
      if (even && odd) full();
      else if (even) columns(FEvenCells);
      else if (odd) columns(FOddCells);
      break;
    }
    case rpSplitHorizontalIn:
      if (BeyondCentre(oy, h, p)) full();
      break;
    case rpSplitHorizontalOut:
      if (WithinCentre(oy, h, p)) full();
      break;
    case rpWipeRight:
    case rpWipeLeft:
    case rpVerticalBlinds:
    case rpSplitVerticalIn:
    case rpSplitVerticalOut:
      columns(FColumns[0]);
      break;
    default:
      if (IsStrips(FPattern)) {  // columns with bx <= FThreshold - 1 - by
        const int64_t by = StripBlock(StripsFlipY(FPattern) ? h - 1 - y : y, h);
        const int64_t k = FThreshold - 1 - by;
        if (k < 0) break;
        const int64_t count = FBlockEnd[std::min<int64_t>(k, 15)];
        if (StripsFlipX(FPattern)) spans.Add(w - count, w, FWidth); else spans.Add(0, count, FWidth);
      }
      break;
  }
}
