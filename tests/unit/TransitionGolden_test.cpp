// Golden frames: every effect (the fade, reveal patterns 0 to 22, and 23 with its pick fixed by the
// seed) at a quarter, half and three quarters of its course on two fixed 24 x 16 pictures, byte for
// byte, so any change of a mask, an order or the fade's rounding shows, on either build. One file
// per effect holds the three frames one below the other. LUMI_UPDATE_GOLDEN=1 rewrites the files.
//
// A golden is only as good as the frame it was made from, so the frames are checked, on every run
// and before an update writes them, against an oracle that shares no code with the view: the fade
// against out = old + (new - old) * p rounded, halves up, per channel; a geometric reveal pixel by
// pixel against its inequality in floating point (tests/support/MaskOracle.h; pixels on an edge
// may be either); the dissolve by its count of new pixels, ceil(p * W * H); the bars by whole
// lines, floor(p * lines) of them; all reveals by showing only old or new pixels and never taking
// one back. The stored files must then be those very bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "transitions/Transition.h"
#include "tests/support/MaskOracle.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Ppm.h"
#include "tests/support/TestFrames.h"

namespace {

constexpr int32_t W = 24, H = 16;
const double Quarters[] = {0.25, 0.5, 0.75};

// The three frames one below the other, as the file holds them.
std::vector<uint8_t> GoldenBytes(const std::vector<TFrame>& frames) {
  const size_t frameSize = static_cast<size_t>(W) * H;
  return PpmBytes(W, 3 * H, [&](size_t i) { return frames[i / frameSize].Pixels[i % frameSize]; });
}

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// The oracle: whether frame is the effect at p between oldFrame and newFrame; before is the new
// pixels of the frame at the previous quarter (reveals never take one back). pattern is the
// resolved reveal pattern, -1 for the fade.
void ExpectOracle(int32_t pattern, double p, const TFrame& frame, const TFrame& oldFrame, const TFrame& newFrame,
                  std::vector<bool>& shown) {
  SCOPED_TRACE(testing::Message() << "pattern " << pattern << " at p=" << p);
  if (pattern < 0) {
    for (size_t i = 0; i < frame.Pixels.size(); ++i)
      for (int shift : {0, 8, 16}) {
        const double o = Channel(oldFrame.Pixels[i], shift), n = Channel(newFrame.Pixels[i], shift);
        ASSERT_EQ(Channel(frame.Pixels[i], shift), static_cast<uint32_t>(std::floor(o + (n - o) * p + 0.5)))
            << "pixel " << i << ", channel at bit " << shift;
      }
    return;
  }
  std::vector<bool> now(frame.Pixels.size());
  for (size_t i = 0; i < now.size(); ++i) {
    now[i] = frame.Pixels[i] == newFrame.Pixels[i];
    ASSERT_TRUE(now[i] || frame.Pixels[i] == oldFrame.Pixels[i]) << "pixel " << i << " is neither old nor new";
    ASSERT_TRUE(now[i] || !shown[i]) << "pixel " << i << " turned back";
  }
  shown = now;
  const auto newCount = static_cast<size_t>(std::count(now.begin(), now.end(), true));
  if (pattern == rpRandomDissolve) {
    EXPECT_EQ(newCount, static_cast<size_t>(std::ceil(p * W * H)));
  } else if (pattern == rpRandomBarsHorizontal || pattern == rpRandomBarsVertical) {
    const bool rows = pattern == rpRandomBarsHorizontal;
    const int32_t lines = rows ? H : W, length = rows ? W : H;
    for (int32_t line = 0; line < lines; ++line)
      for (int32_t along = 1; along < length; ++along) {
        const size_t first = rows ? line * W : line, at = rows ? line * W + along : along * W + line;
        ASSERT_EQ(now[at], now[first]) << "line " << line << " is not whole";
      }
    EXPECT_EQ(newCount, static_cast<size_t>(std::floor(p * lines)) * length);
  } else {
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) {
        double margin;
        const bool expected = MaskByInequality(pattern, x, y, W, H, p, margin);
        if (margin < 1e-9) continue;  // on an edge: either side will do
        ASSERT_EQ(now[static_cast<size_t>(y) * W + x], expected) << "pixel " << x << "," << y;
      }
  }
}

TEST(TransitionGolden, EveryEffectMatchesItsStoredFramesAndTheOracle) {
  const bool update = std::getenv("LUMI_UPDATE_GOLDEN") != nullptr;
  const TFrame oldFrame = OldTestFrame(W, H), newFrame = NewTestFrame(W, H);
  for (int32_t effect = -1; effect <= RevealPatternCount; ++effect) {
    const bool fade = effect < 0;
    char name[16];
    std::snprintf(name, sizeof name, fade ? "fade" : "reveal%02d", static_cast<int>(effect));
    SCOPED_TRACE(name);
    // The seed fixes the random orders and the pick of pattern 23.
    TTransition transition(fade ? TTransitionKind::Fade : TTransitionKind::Reveal, effect, 0x5EED0000u + effect,
                           oldFrame, newFrame);
    ASSERT_EQ(transition.Kind(), fade ? TTransitionKind::Fade : TTransitionKind::Reveal);
    const int32_t pattern = transition.Pattern();
    if (effect != rpRandom) {
      ASSERT_EQ(pattern, fade ? -1 : effect);
    }
    ASSERT_LT(pattern, RevealPatternCount);
    TFrame target = oldFrame;
    std::vector<TFrame> actual;
    for (double p : Quarters) {
      transition.Step(p, TargetOf(target));
      actual.push_back(target);
    }
    std::vector<bool> shown(static_cast<size_t>(W) * H, false);
    for (size_t i = 0; i < 3; ++i) ExpectOracle(pattern, Quarters[i], actual[i], oldFrame, newFrame, shown);
    const std::string path = SourcePath(std::string("tests/unit/golden/") + name + ".ppm");
    if (update && !HasFailure()) {
      EXPECT_TRUE(WriteBytes(path, GoldenBytes(actual))) << path;
    }
    EXPECT_TRUE(ReadBytes(path) == GoldenBytes(actual)) << path << " differs (LUMI_UPDATE_GOLDEN=1 rewrites it)";
  }
}

}  // namespace
