// The reveal masks: their end states, monotony, symmetries and shapes, the literal inequalities
// they come from, and the agreement of the row spans with the per-pixel predicate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "transitions/Mask.h"

namespace {

struct TSize {
  int32_t W, H;
};
const TSize Sizes[] = {{37, 23}, {1, 1}, {2, 3}, {6, 5}, {13, 1}, {1, 11}, {48, 32}, {24, 20}};

std::vector<int32_t> GeometricPatterns() {
  std::vector<int32_t> patterns;
  for (int32_t k = 0; k < RevealPatternCount; ++k)
    if (IsGeometricPattern(k)) patterns.push_back(k);
  return patterns;
}

// Progress values that include the exact edges of every inequality on a frame of w x h: the
// multiples of 1/m for the denominators the masks divide by, one unit either side, and a sweep.
std::vector<uint64_t> ProgressSamples(int32_t w, int32_t h) {
  std::vector<uint64_t> samples;
  for (int64_t m : {int64_t{w}, int64_t{h}, 2 * int64_t{w}, 2 * int64_t{h}, int64_t{31}, int64_t{97}})
    for (int64_t j = 0; j <= m; ++j) {
      const uint64_t edge = (ProgressOne * j) / m;
      for (uint64_t s : {edge - 1, edge, edge + 1})
        if (s <= ProgressOne) samples.push_back(s);
    }
  std::sort(samples.begin(), samples.end());
  samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
  return samples;
}

// Through progress values on every edge: each row's spans are sorted, apart and cover exactly
// the pixels of the predicate, and the mask starts all old, ends all new and never turns back.
TEST(TransitionMask, RowSpansFollowThePredicateFromAllOldToAllNewNeverTurningBack) {
  for (int32_t k : GeometricPatterns())
    for (TSize s : Sizes) {
      SCOPED_TRACE(testing::Message() << "pattern " << k << " on " << s.W << "x" << s.H);
      TMaskShape shape(k, s.W, s.H);
      std::vector<bool> shown(static_cast<size_t>(s.W) * s.H, false);
      const std::vector<uint64_t> samples = ProgressSamples(s.W, s.H);
      ASSERT_TRUE(samples.front() == 0 && samples.back() == ProgressOne);
      for (uint64_t progress : samples) {
        shape.SetProgress(progress);
        for (int32_t y = 0; y < s.H; ++y) {
          TPixelSpans spans;
          shape.RowSpans(y, spans);
          std::vector<bool> row(s.W, false);
          for (int32_t i = 0; i < spans.Count; ++i) {
            ASSERT_LT(spans.Items[i].Begin, spans.Items[i].End);
            if (i > 0) {
              ASSERT_GT(spans.Items[i].Begin, spans.Items[i - 1].End);  // sorted, apart
            }
            for (int32_t x = spans.Items[i].Begin; x < spans.Items[i].End; ++x) row[x] = true;
          }
          for (int32_t x = 0; x < s.W; ++x) {  // compared plainly: an assertion a pixel is slow when sanitized
            const size_t i = static_cast<size_t>(y) * s.W + x;
            if (row[x] != MaskAt(k, x, y, s.W, s.H, progress)) FAIL() << "P=" << progress << ", pixel " << x << ',' << y;
            if (!row[x] && shown[i]) FAIL() << "pixel " << x << "," << y << " turned back at P=" << progress;
            if ((progress == 0 || progress == ProgressOne) && row[x] != (progress == ProgressOne))
              FAIL() << "pixel " << x << "," << y << " at P=" << progress << " is " << row[x];
            shown[i] = row[x];
          }
        }
      }
    }
}

// The masks as their inequalities read, in floating point: an oracle written apart from the
// integer arithmetic of transitions/Mask.
// Whether pixel (x, y) of a w x h frame of geometric pattern k shows the new picture at p. margin
// is how far the pixel lies from an edge of the decision: below about 1e-9 only exact arithmetic
// can tell, and a check should pass such a pixel over.
inline bool MaskByInequality(int32_t k, int32_t x, int32_t y, int32_t w, int32_t h, double p, double& margin) {
  const double u = (x + 0.5) / w, v = (y + 0.5) / h, dx = std::fabs(u - 0.5), dy = std::fabs(v - 0.5);
  const double d = std::sqrt(std::pow((u - 0.5) * w, 2) + std::pow((v - 0.5) * h, 2));
  const double r = std::sqrt(w * w / 4.0 + h * h / 4.0);
  auto frac = [](double t) { return t - std::floor(t); };
  auto gap = [](double t) { return std::fabs(t - std::round(t)); };  // distance from a step of floor
  auto test = [&](double a, double b) { margin = std::fabs(a - b); return a; };
  margin = 1;
  switch (k) {
    case 0: return test(std::max(dx, dy), (1 - p) / 2) >= (1 - p) / 2;
    case 1: return test(std::max(dx, dy), p / 2) < p / 2;
    case 2: return test(d, (1 - p) * r) >= (1 - p) * r;
    case 3: return test(d, p * r) < p * r;
    case 4: return test(v, 1 - p) > 1 - p;
    case 5: return test(v, p) < p;
    case 6: return test(u, p) < p;
    case 7: return test(u, 1 - p) > 1 - p;
    case 8:
    case 9: {
      const double t = 10 * (k == 8 ? u : v);
      const bool on = test(frac(t), p) < p;
      margin = std::min(margin, gap(t));
      return on;
    }
    case 10: {
      const double c = (12 * u + static_cast<int>(std::floor(10 * v)) % 2) / 2;
      const bool on = test(frac(c), p) < p;
      margin = std::min({margin, gap(c), gap(10 * v)});
      return on;
    }
    case 11: {
      const double c = (10 * v + static_cast<int>(std::floor(12 * u)) % 2) / 2;
      const bool on = test(frac(c), p) < p;
      margin = std::min({margin, gap(c), gap(12 * u)});
      return on;
    }
    case 13: return test(dx, (1 - p) / 2) >= (1 - p) / 2;
    case 14: return test(dx, p / 2) < p / 2;
    case 15: return test(dy, (1 - p) / 2) >= (1 - p) / 2;
    case 16: return test(dy, p / 2) < p / 2;
    default: {
      const double a = (k == 19 || k == 20) ? 1 - u : u, b = (k == 18 || k == 20) ? 1 - v : v;
      const double strip = std::floor(16 * a) + std::floor(16 * b) + 1;
      const bool on = test(strip, p * 31) <= p * 31;
      margin = std::min({margin, gap(16 * a), gap(16 * b)});
      return on;
    }
  }
}

TEST(TransitionMask, FollowsTheInequalitiesAsWritten) {
  for (int32_t k : GeometricPatterns()) {
    int32_t checked = 0, total = 0;
    for (TSize s : {TSize{37, 23}, TSize{64, 48}, TSize{10, 7}})
      for (double p : {0.03, 0.1234, 0.25, 0.377, 0.5, 0.61, 0.75, 0.9, 0.987})
        for (int32_t y = 0; y < s.H; ++y)
          for (int32_t x = 0; x < s.W; ++x) {
            double margin;
            const bool expected = MaskByInequality(k, x, y, s.W, s.H, p, margin);
            ++total;
            if (margin < 1e-9) continue;  // on an edge: only exact arithmetic can tell
            ++checked;
            ASSERT_EQ(MaskAt(k, x, y, s.W, s.H, p), expected)
                << "pattern " << k << " on " << s.W << "x" << s.H << " at p=" << p << ", pixel " << x << "," << y;
          }
    EXPECT_GT(checked, total * 3 / 4) << "pattern " << k;
  }
}

enum class TRelation { FlipX, FlipY, Transpose, ComplementOfReversed };
struct TPair {
  int32_t A, B;
  TRelation Relation;
};

TEST(TransitionMask, MirrorPairsAgree) {
  using enum TRelation;
  const TPair pairs[] = {
      {rpWipeUp, rpWipeDown, FlipY},                     {rpWipeRight, rpWipeLeft, FlipX},
      {rpStripsLeftDown, rpStripsLeftUp, FlipY},         {rpStripsLeftDown, rpStripsRightDown, FlipX},
      {rpStripsRightDown, rpStripsRightUp, FlipY},       {rpStripsLeftUp, rpStripsRightUp, FlipX},
      {rpStripsLeftDown, rpStripsLeftDown, Transpose},   {rpWipeDown, rpWipeRight, Transpose},
      {rpWipeUp, rpWipeLeft, Transpose},                 {rpVerticalBlinds, rpHorizontalBlinds, Transpose},
      {rpSplitVerticalIn, rpSplitHorizontalIn, Transpose}, {rpSplitVerticalOut, rpSplitHorizontalOut, Transpose},
      {rpBoxIn, rpBoxIn, FlipX},                         {rpBoxIn, rpBoxIn, FlipY},
      {rpBoxOut, rpBoxOut, Transpose},                   {rpCircleIn, rpCircleIn, FlipY},
      {rpCircleOut, rpCircleOut, Transpose},             {rpSplitVerticalIn, rpSplitVerticalIn, FlipX},
      // The "in" patterns are the "out" ones run backwards, old and new exchanged.
      {rpBoxIn, rpBoxOut, ComplementOfReversed},         {rpCircleIn, rpCircleOut, ComplementOfReversed},
      {rpSplitVerticalIn, rpSplitVerticalOut, ComplementOfReversed},
      {rpSplitHorizontalIn, rpSplitHorizontalOut, ComplementOfReversed},
  };
  const int32_t w = 37, h = 23;
  for (const TPair& pair : pairs)
    for (uint64_t progress : ProgressSamples(w, h))
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
          const bool a = MaskAt(pair.A, x, y, w, h, progress);
          bool b = false;
          switch (pair.Relation) {
            case FlipX: b = MaskAt(pair.B, w - 1 - x, y, w, h, progress); break;
            case FlipY: b = MaskAt(pair.B, x, h - 1 - y, w, h, progress); break;
            case Transpose: b = MaskAt(pair.B, y, x, h, w, progress); break;
            case ComplementOfReversed: b = !MaskAt(pair.B, x, y, w, h, ProgressOne - progress); break;
          }
          ASSERT_EQ(a, b) << "patterns " << pair.A << " and " << pair.B << " at P=" << progress
                          << ", pixel " << x << "," << y;
        }
}

// Runs of new pixels in one row.
int32_t RunsInRow(int32_t k, int32_t y, int32_t w, int32_t h, double p) {
  int32_t runs = 0;
  for (int32_t x = 0; x < w; ++x) runs += MaskAt(k, x, y, w, h, p) && (x == 0 || !MaskAt(k, x - 1, y, w, h, p));
  return runs;
}

// At half their course the checkerboards are an exact checkerboard, widths where pixel centres fall
// exactly on cell edges (multiples of 6 and of 12) included; the others show their runs and blocks.
TEST(TransitionMask, CheckerboardsAreExactAtHalfAndShapesHaveTheirCounts) {
  for (TSize s : {TSize{12, 10}, TSize{6, 5}, TSize{24, 20}, TSize{37, 23}, TSize{48, 32}, TSize{120, 7}})
    for (int32_t k : {rpCheckerboardAcross, rpCheckerboardDown})
      for (int32_t y = 0; y < s.H; ++y)
        for (int32_t x = 0; x < s.W; ++x) {
          const int64_t column = 12 * (2 * int64_t{x} + 1) / (2 * s.W);  // floor(12 u)
          const int64_t row = 10 * (2 * int64_t{y} + 1) / (2 * s.H);     // floor(10 v)
          ASSERT_EQ(MaskAt(k, x, y, s.W, s.H, 0.5), (column + row) % 2 == 0)
              << "pattern " << k << " on " << s.W << "x" << s.H << ", pixel " << x << "," << y;
        }
  EXPECT_EQ(RunsInRow(rpVerticalBlinds, 0, 200, 50, 0.25), 10);
  EXPECT_EQ(RunsInRow(rpCheckerboardAcross, 0, 240, 100, 0.25), 6);    // even row: 6 pairs
  EXPECT_EQ(RunsInRow(rpCheckerboardAcross, 15, 240, 100, 0.75), 7);   // odd row: offset by a cell
  EXPECT_EQ(RunsInRow(rpCheckerboardDown, 0, 240, 100, 0.25), 6);      // even cells fill first
  // Strips on 32 x 32: 2 x 2 blocks, one diagonal of blocks per 1/31 of the course.
  for (int32_t diagonals = 0; diagonals <= 31; ++diagonals) {
    const double p = diagonals == 31 ? 1.0 : (diagonals + 0.5) / 31;
    int32_t count = 0, expected = 0;
    for (int32_t y = 0; y < 32; ++y)
      for (int32_t x = 0; x < 32; ++x) count += MaskAt(rpStripsLeftDown, x, y, 32, 32, p);
    for (int32_t by = 0; by < 16; ++by)
      for (int32_t bx = 0; bx < 16; ++bx) expected += 4 * (bx + by + 1 <= diagonals);
    EXPECT_EQ(count, expected) << diagonals << " diagonals";
  }
  // The circle out reaches the corners only at the very end.
  EXPECT_FALSE(MaskAt(rpCircleOut, 0, 0, 64, 48, 0.98));
  EXPECT_TRUE(MaskAt(rpCircleOut, 0, 0, 64, 48, 0.995));
  EXPECT_TRUE(MaskAt(rpCircleOut, 32, 24, 64, 48, 0.02));
}

TEST(TransitionMask, FixedProgressIsExactForBinaryFractions) {
  const std::pair<double, uint64_t> cases[] = {
      {0.0, 0},  {-3.0, 0}, {std::nan(""), 0}, {0.25, ProgressOne / 4}, {0.5, ProgressOne / 2}, {1.0, ProgressOne},
      {7.0, ProgressOne}, {1.0 / 3, 1431655765u} /* floor(2^32 / 3) */};
  for (auto [p, progress] : cases) EXPECT_EQ(FixedProgress(p), progress) << p;
}

}  // namespace
