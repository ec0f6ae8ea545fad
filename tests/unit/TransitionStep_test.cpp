// Stepping a transition: frames equal the mask of the progress reached, each revealed pixel is
// written once, the reported rectangle holds every change, the fade's rounding, cuts.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestFrames.h"
#include "tests/support/VectorUnits.h"
#include "transitions/Compositor.h"
#include "transitions/Mask.h"
#include "transitions/MaskOrder.h"
#include "transitions/Transition.h"
#include "transitions/ViewRandom.h"

namespace {

constexpr uint32_t Marker = 0x00ABCDEFu;  // alpha 0: in neither test frame

// Irregular steps, a repeated value and one going backwards (which must change nothing).
const double Steps[] = {0.0, 0.001, 0.013, 0.013, 0.2, 0.1, 0.35, 0.5, 0.5000001, 0.74, 0.9, 0.999};

// The mask a reveal must show: the geometric predicate, or the random order rebuilt from the seed.
struct TExpected {
  int32_t Pattern;
  const TRevealOrder* Order;
  bool At(int32_t x, int32_t y, int32_t w, int32_t h, uint64_t progress) const {
    return Order ? Order->At(x, y, progress) : MaskAt(Pattern, x, y, w, h, progress);
  }
};

// Runs a reveal through Steps and Finish. After each step the pixels the step wrote are replaced
// by a marker, so a second write of any pixel shows up as a new-frame value where a marker was.
void CheckReveal(TTransition& transition, const TFrame& oldFrame, const TFrame& newFrame,
                 const TExpected* expected) {
  const int32_t w = newFrame.Width, h = newFrame.Height;
  TFrame target = oldFrame;
  std::vector<bool> marked(target.Pixels.size());
  auto run = [&](double p, bool finish) {
    const TRect rect = finish ? transition.Finish(TargetOf(target)) : transition.Step(p, TargetOf(target));
    const uint64_t progress = FixedProgress(transition.Progress());
    TRect written;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        uint32_t& pixel = target.Row(y)[x];
        if (pixel == newFrame.Row(y)[x]) {
          ASSERT_FALSE(marked[static_cast<size_t>(y) * w + x]) << "pixel " << x << "," << y << " written twice";
          marked[static_cast<size_t>(y) * w + x] = true;
          written = Union(written, {x, y, 1, 1});
          pixel = Marker;
        } else {
          ASSERT_TRUE(pixel == Marker || pixel == oldFrame.Row(y)[x]) << "pixel " << x << "," << y;
        }
        if (expected) {
          ASSERT_EQ(pixel == Marker, expected->At(x, y, w, h, progress)) << "pixel " << x << "," << y;
        }
      }
    // The rectangle holds every written pixel; for geometric masks it is their bounding box.
    if (written.Empty()) {
      EXPECT_TRUE(rect.Empty());
    } else if (IsGeometricPattern(transition.Pattern())) {
      EXPECT_EQ(rect, written);
    } else {
      EXPECT_EQ(Union(rect, written), rect);
    }
  };
  for (double p : Steps) {
    SCOPED_TRACE(testing::Message() << "p=" << p);
    run(p, false);
    if (testing::Test::HasFatalFailure()) return;
  }
  run(1.0, true);
  EXPECT_TRUE(transition.Finished());
  for (uint32_t pixel : target.Pixels) ASSERT_EQ(pixel, Marker) << "a pixel was never revealed";
}

TEST(TransitionStep, RevealsFollowTheirMaskAndWriteEachPixelOnce) {
  for (auto [w, h] : {std::pair{37, 23}, {1, 1}, {5, 2}, {48, 32}}) {
    const TFrame oldFrame = OldTestFrame(w, h), newFrame = NewTestFrame(w, h);
    for (int32_t pattern = 0; pattern < RevealPatternCount; ++pattern) {
      SCOPED_TRACE(testing::Message() << "pattern " << pattern << " on " << w << "x" << h);
      const uint64_t seed = 1000 + pattern;
      TTransition transition(TTransitionKind::Reveal, pattern, seed, oldFrame, newFrame);
      ASSERT_EQ(transition.Kind(), TTransitionKind::Reveal);
      ASSERT_EQ(transition.Pattern(), pattern);
      std::optional<TRevealOrder> order;
      if (!IsGeometricPattern(pattern)) {
        TViewRandom random(seed);
        order.emplace(pattern, w, h, random);
      }
      const TExpected expected{pattern, order ? &*order : nullptr};
      CheckReveal(transition, oldFrame, newFrame, &expected);
    }
  }
}

TEST(TransitionStep, RandomPatternChoosesEachOfTheReveals) {
  const TFrame oldFrame = OldTestFrame(37, 23), newFrame = NewTestFrame(37, 23);
  std::vector<int32_t> chosen(RevealPatternCount);
  for (uint64_t seed = 0; seed < 460; ++seed) {
    TTransition transition(TTransitionKind::Reveal, rpRandom, seed, oldFrame, newFrame);
    ASSERT_GE(transition.Pattern(), 0);
    ASSERT_LT(transition.Pattern(), RevealPatternCount);
    ++chosen[transition.Pattern()];
    if (seed < 46) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << ", pattern " << transition.Pattern());
      CheckReveal(transition, oldFrame, newFrame, nullptr);
    }
  }
  for (int32_t pattern = 0; pattern < RevealPatternCount; ++pattern)
    EXPECT_NEAR(chosen[pattern], 20, 14) << "pattern " << pattern;
}

// old + (new - old) * w / 256 for one channel, rounded to nearest with halves up, worked in
// signed terms as written.
uint32_t BlendChannel(uint32_t a, uint32_t b, uint32_t w) {
  const int32_t scaled = 256 * static_cast<int32_t>(a) + (static_cast<int32_t>(b) - static_cast<int32_t>(a)) * static_cast<int32_t>(w);
  const int32_t whole = scaled >= 0 ? scaled / 256 : -((-scaled + 255) / 256);  // floor
  return static_cast<uint32_t>(whole + (scaled - 256 * whole >= 128));
}

uint32_t BlendPixel(uint32_t a, uint32_t b, uint32_t w) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) out |= BlendChannel((a >> shift) & 255, (b >> shift) & 255, w) << shift;
  return out;
}

TEST(TransitionStep, FadeRoundsEveryChannelToNearestHalvesUp) {
  // Each channel sees every pair of old and new values across the 65536 pixels.
  // Also kept as three bytes each, as the fade keeps opaque frames.
  std::vector<uint32_t> olds, news;
  std::vector<uint8_t> packedOlds, packedNews;
  for (uint32_t o = 0; o < 256; ++o)
    for (uint32_t n = 0; n < 256; ++n) {
      olds.push_back(o | n << 8 | (255 - o) << 16 | ((7 * o + n) & 255) << 24);
      news.push_back(n | o << 8 | ((3 * n + o) & 255) << 16 | (255 - n) << 24);
      for (int c = 0; c < 3; ++c) {
        packedOlds.push_back(static_cast<uint8_t>(olds.back() >> 8 * c));
        packedNews.push_back(static_cast<uint8_t>(news.back() >> 8 * c));
      }
    }
  packedOlds.resize(packedOlds.size() + PackedSlack);
  packedNews.resize(packedNews.size() + PackedSlack);
  std::vector<uint32_t> out(olds.size() + 16);
  ForEachVectorUnit([&](TVectorUnit) {
    for (uint32_t w = 0; w <= 256; ++w) {
      // The target starts anywhere against the vector width, the count is odd: the pixels
      // before and after the aligned vectors are blended too.
      const size_t shift = w % 16, count = olds.size() - 1 - w % 7;
      BlendPixels(olds.data(), news.data(), out.data() + shift, count, w);
      // Each pixel compared plainly (an assertion a pixel is slow when sanitized).
      for (size_t i = 0; i < count; ++i)
        if (const uint32_t want = BlendPixel(olds[i], news[i], w); out[shift + i] != want)
          FAIL() << std::hex << out[shift + i] << " for " << want << ", weight " << std::dec << w << ", pixel " << i;
      BlendPackedPixels(packedOlds.data(), packedNews.data(), out.data() + shift, count, w);
      for (size_t i = 0; i < count; ++i)
        if (const uint32_t want = BlendPixel(olds[i] | 0xFF000000u, news[i] | 0xFF000000u, w); out[shift + i] != want)
          FAIL() << std::hex << out[shift + i] << " for " << want << ", three bytes a pixel, weight " << std::dec << w;
    }
  });
  EXPECT_EQ(BlendChannel(1, 2, 128), 2u);  // 1.5 -> 2
  EXPECT_EQ(BlendChannel(2, 3, 128), 3u);  // 2.5 -> 3
  EXPECT_EQ(BlendChannel(3, 2, 128), 3u);  // 2.5 -> 3
  EXPECT_EQ(BlendChannel(200, 0, 1), 199u);  // 199.22
}

TEST(TransitionStep, FadeWeightIsProgressRoundedToTwoHundredFiftySixths) {
  const std::pair<uint64_t, uint32_t> cases[] = {
      {0, 0},  {(uint64_t{1} << 23) - 1, 0}, {uint64_t{1} << 23, 1} /* p = 1/512 rounds up */, {ProgressOne / 4, 64},
      {ProgressOne / 2, 128}, {FixedProgress(0.3), 77} /* 76.8 */, {ProgressOne, 256}};
  for (auto [progress, weight] : cases) EXPECT_EQ(FadeWeight(progress), weight) << progress;
}

// The fade blends, and reports, only the box where the frames differ (pictures on black: the
// whole frame, letterboxed pictures, two pixels, nothing), only when its weight moves (not for a
// step repeated or going back), the same pixels on every vector unit, for opaque frames (kept
// packed) and others alike, and ends on the new frame.
TEST(TransitionStep, FadeBlendsWhereTheFramesDifferWhenTheWeightMoves) {
  const int32_t w = 61, h = 37;
  struct TCase {
    TRect OldPicture, NewPicture, Changed;
    uint32_t Alpha;
  };
  const TCase cases[] = {
      {{0, 0, 61, 37}, {0, 0, 61, 37}, {0, 0, 61, 37}, 0xFF000000u},   // whole frames
      {{10, 3, 40, 31}, {5, 6, 50, 25}, {5, 3, 50, 31}, 0xFF000000u},   // letterboxed both ways
      {{0, 2, 61, 33}, {0, 5, 61, 27}, {0, 2, 61, 33}, 0xFF000000u},    // whole rows
      {{10, 3, 40, 31}, {5, 6, 50, 25}, {5, 3, 50, 31}, 0x80000000u},   // not opaque
      {{7, 7, 2, 1}, {7, 7, 2, 1}, {7, 7, 2, 1}, 0xFF000000u},          // two pixels
      {{}, {}, {}, 0xFF000000u},                                        // the same frames
  };
  const TFrame oldPicture = OldTestFrame(w, h), newPicture = NewTestFrame(w, h);
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.OldPicture.Left << "," << c.OldPicture.Top << " alpha " << (c.Alpha >> 24));
    auto onBlack = [&](const TFrame& picture, const TRect& r) {
      TFrame frame(w, h, c.Alpha);
      for (int32_t y = r.Top; y < r.Bottom(); ++y)
        for (int32_t x = r.Left; x < r.Right(); ++x) frame.Row(y)[x] = (picture.Row(y)[x] & 0xFFFFFFu) | c.Alpha;
      return frame;
    };
    const TFrame oldFrame = onBlack(oldPicture, c.OldPicture), newFrame = onBlack(newPicture, c.NewPicture);
    ForEachVectorUnit([&](TVectorUnit) {
      TTransition fade(TTransitionKind::Fade, 0, 0, oldFrame, newFrame);
      ASSERT_EQ(fade.Kind(), TTransitionKind::Fade);
      TFrame target = oldFrame;
      for (double p : {0.001, 0.25, 0.4, 0.4, 0.3, 0.5, 0.9, 1.0}) {  // 0.001: weight still 0
        const uint32_t weight = FadeWeight(FixedProgress(std::max(p, fade.Progress())));
        const bool moves = weight != FadeWeight(FixedProgress(fade.Progress()));
        const TRect rect = fade.Step(p, TargetOf(target));
        if (moves && !c.Changed.Empty()) {
          EXPECT_EQ(rect, c.Changed) << p;
        } else {
          EXPECT_TRUE(rect.Empty()) << p;
        }
        for (size_t i = 0; i < target.Pixels.size(); ++i)
          ASSERT_EQ(target.Pixels[i], BlendPixel(oldFrame.Pixels[i], newFrame.Pixels[i], weight)) << p << " " << i;
      }
      EXPECT_EQ(target.Pixels, newFrame.Pixels);
      EXPECT_TRUE(fade.Finished());
    });
  }
}

TEST(TransitionStep, UnknownPatternsAndMismatchedFramesCutAndAWrongTargetIsRefused) {
  const TFrame oldFrame = OldTestFrame(8, 6), newFrame = NewTestFrame(8, 6), other = NewTestFrame(6, 8);
  struct TCase {
    TTransitionKind Kind;
    int32_t Pattern;
    const TFrame* Old;
  };
  for (TCase c : {TCase{TTransitionKind::Reveal, 24, &oldFrame}, TCase{TTransitionKind::Reveal, -1, &oldFrame},
                  TCase{TTransitionKind::Cut, 3, &oldFrame}, TCase{TTransitionKind::Fade, 0, &other},
                  TCase{TTransitionKind::Reveal, 5, &other}}) {
    TTransition transition(c.Kind, c.Pattern, 1, *c.Old, newFrame);
    EXPECT_EQ(transition.Kind(), TTransitionKind::Cut);
    TFrame target = oldFrame;
    const TRect rect = transition.Step(0.0, TargetOf(target));
    EXPECT_EQ(target.Pixels, newFrame.Pixels);
    EXPECT_EQ(rect, (TRect{0, 0, 8, 6}));
    EXPECT_TRUE(transition.Finished());
    EXPECT_TRUE(transition.Step(0.5, TargetOf(target)).Empty());
  }
  TFrame wrong(6, 8);  // a target of another size
  TTransition transition(TTransitionKind::Reveal, 3, 1, oldFrame, newFrame);
  EXPECT_THROW(transition.Step(0.5, TargetOf(wrong)), std::invalid_argument);
}

// A transition laid over a cell in the corner of a wider, taller surface (the view shows a small
// preview inside a larger client area) draws exactly what it draws into a frame of the cell's
// size, and leaves every pixel beyond the cell alone.
TEST(TransitionStep, ACellOfALargerSurfaceGetsTheSameFramesAndNothingBeyondIt) {
  const int32_t w = 19, h = 11, surfaceWidth = 40, surfaceHeight = 15;
  const TFrame oldFrame = OldTestFrame(w, h), newFrame = NewTestFrame(w, h);
  using enum TTransitionKind;
  for (auto [kind, pattern] : {std::pair{Fade, 0}, {Reveal, 3}, {Reveal, 12}, {Reveal, 21}, {Reveal, 22}, {Cut, 0}}) {
    SCOPED_TRACE("kind " + std::to_string(int(kind)) + " pattern " + std::to_string(pattern));
    TTransition packed(kind, pattern, 7, oldFrame, newFrame), inCell(kind, pattern, 7, oldFrame, newFrame);
    TFrame alone = oldFrame;
    TFrame surface(surfaceWidth, surfaceHeight, Marker);
    for (int32_t y = 0; y < h; ++y) std::copy_n(oldFrame.Row(y), w, surface.Row(y));
    for (double p : {0.2, 0.5, 0.8, 1.0}) {
      packed.Step(p, TargetOf(alone));
      inCell.Step(p, TFrameTarget{surface.Pixels.data(), w, h, surfaceWidth});
      for (int32_t y = 0; y < surfaceHeight; ++y)
        for (int32_t x = 0; x < surfaceWidth; ++x)
          ASSERT_EQ(surface.Row(y)[x], x < w && y < h ? alone.Row(y)[x] : Marker) << x << "," << y << " at " << p;
    }
  }
}

}  // namespace
