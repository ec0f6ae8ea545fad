// Golden frames: every effect (the fade, reveal patterns 0 to 22, and 23 with its pick fixed by the
// seed) at a quarter, half and three quarters of its course on two fixed 24 x 16 pictures, byte for
// byte, so any change of a mask, an order or the fade's rounding shows, on either build. One file
// per effect holds the three frames one below the other. LUMI_UPDATE_GOLDEN=1 rewrites the files.
//
// A golden is only as good as the frames it was made from: that they follow their definitions is
// for the transition tests to prove (Step, Mask and Order), which must pass before a rewrite.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/PictureFiles.h"
#include "tests/support/Ppm.h"
#include "tests/support/TestFrames.h"
#include "transitions/Transition.h"

namespace {

constexpr int32_t W = 24, H = 16;
const double Quarters[] = {0.25, 0.5, 0.75};

// The three frames one below the other, as the file holds them.
std::vector<uint8_t> GoldenBytes(const std::vector<TFrame>& frames) {
  const size_t frameSize = static_cast<size_t>(W) * H;
  return PpmBytes(W, 3 * H, [&](size_t i) { return frames[i / frameSize].Pixels[i % frameSize]; });
}

TEST(TransitionGolden, EveryEffectMatchesItsStoredFrames) {
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
    const std::string path = SourcePath(std::string("tests/unit/golden/") + name + ".ppm");
    if (update && !HasFailure()) {
      EXPECT_TRUE(WriteBytes(path, GoldenBytes(actual))) << path;
    }
    EXPECT_TRUE(ReadBytes(path) == GoldenBytes(actual)) << path << " differs (LUMI_UPDATE_GOLDEN=1 rewrites it)";
  }
}

}  // namespace
