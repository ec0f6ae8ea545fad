// The other monitors' share of the slideshow: pictures that never repeat what another monitor
// shows, transitions after the effect setting, all without touching the primary's generator, and
// a picture fitted to a monitor of its own size.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/Random.h"
#include "imaging/PicturePipeline.h"
#include "monitors/MonitorShow.h"
#include "pictures/PictureSet.h"
#include "settings/EffectList.h"
#include "tests/support/TestJpeg.h"

namespace {

TEST(MonitorShow, PicturesNeverMeetAnotherMonitorsAndReachAllFifty) {
  for (size_t monitors : {1u, 3u, 24u}) {
    SCOPED_TRACE(monitors);
    TMonitorShow show(monitors);
    std::vector<int32_t> shown(monitors, -1);
    std::set<int32_t> seen;
    for (int change = 0; change < 400; ++change) {
      const int32_t primary = change % SlideshowPictureCount;
      const std::vector<int32_t> next = show.NextPictures(shown, primary);
      ASSERT_EQ(next.size(), monitors);
      for (int32_t n : next) {
        ASSERT_TRUE(n >= 0 && n < SlideshowPictureCount) << n;
        EXPECT_NE(n, primary);
        EXPECT_EQ(std::count(next.begin(), next.end(), n), 1) << "two monitors show picture " << n;
        EXPECT_EQ(std::count(shown.begin(), shown.end(), n), 0) << "picture " << n << " is still on a monitor";
        seen.insert(n);
      }
      shown = next;
    }
    EXPECT_EQ(seen.size(), size_t(SlideshowPictureCount));
  }
  // More monitors than pictures: the primary's picture is still avoided, and the first 49 differ.
  const std::vector<int32_t> next = TMonitorShow(7).NextPictures(std::vector<int32_t>(60, -1), 3);
  EXPECT_EQ(std::count(next.begin(), next.end(), 3), 0);
  EXPECT_EQ(std::set<int32_t>(next.begin(), next.begin() + 49).size(), 49u);
}

// All without a draw from the process-wide generator, whose sequence is the primary's.
TEST(MonitorShow, TransitionsFollowTheEffectAndRandomDrawsAreTheMonitorsOwn) {
  RandSeed = 12345;
  TMonitorShow show(11);
  show.NextPictures(std::vector<int32_t>(11, -1), 0);
  show.NextSeed();
  EXPECT_EQ(show.NextExit(FadeEffect).Kind, TTransitionKind::Fade);
  const TExitTransition wipe = show.NextExit(5);
  EXPECT_EQ(wipe.Kind, TTransitionKind::Reveal);
  EXPECT_EQ(wipe.Pattern, 5);
  EXPECT_EQ(wipe.DurationSeconds, 3.0);
  int fades = 0;
  for (int i = 0; i < 2300; ++i) {
    const TExitTransition exit = show.NextExit(RandomEffect);
    if (exit.Kind == TTransitionKind::Fade)
      ++fades;
    else
      EXPECT_EQ(exit.Pattern, 23);  // the transition picks the reveal pattern itself
  }
  EXPECT_GT(fades, 50);  // one in 23: about 100
  EXPECT_LT(fades, 150);
  EXPECT_EQ(RandSeed, 12345u);
}

TEST(MonitorShow, FrameFitsThePictureToTheMonitorOnBlack) {
  const std::vector<uint8_t> wide = MakeJpeg(400, 100, [](int32_t, int32_t) { return 0xFFFFFFu; });
  // 400 x 100 on 200 x 200: the width fits, 50 rows of picture centred between black bars.
  const TFrame frame = PhotographFrame(wide.data(), wide.size(), {200, 200, TFit::Contain}, 200, 200);
  ASSERT_EQ(std::pair(frame.Width, frame.Height), std::pair(200, 200));
  auto lit = [&](int32_t x, int32_t y) { return (frame.Row(y)[x] & 0xFF) > 200; };
  for (int32_t x : {0, 100, 199}) {
    EXPECT_FALSE(lit(x, 74)) << x;
    EXPECT_TRUE(lit(x, 75)) << x;
    EXPECT_TRUE(lit(x, 124)) << x;
    EXPECT_FALSE(lit(x, 125)) << x;
  }
  // A tall monitor of another size gets the same picture fitted anew: 100 x 25 at its centre.
  const TFrame small = PhotographFrame(wide.data(), wide.size(), {100, 300, TFit::Contain}, 100, 300);
  EXPECT_EQ(small.Row(136)[50] & 0xFF, 0u);
  EXPECT_GT(small.Row(137)[50] & 0xFF, 200u);
  EXPECT_GT(small.Row(161)[50] & 0xFF, 200u);
  EXPECT_EQ(small.Row(162)[50] & 0xFF, 0u);

  const std::vector<uint8_t> garbage(64, 0x55);
  const TFrame black = PhotographFrame(garbage.data(), garbage.size(), {30, 20, TFit::Contain}, 30, 20);
  ASSERT_EQ(black.Pixels.size(), 600u);
  EXPECT_TRUE(std::all_of(black.Pixels.begin(), black.Pixels.end(), [](uint32_t p) { return p == 0xFF000000u; }));
}

}  // namespace
