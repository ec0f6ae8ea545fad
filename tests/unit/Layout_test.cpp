// Where the picture lands in its cell for the window and picture sizes the slideshow meets.
#include <gtest/gtest.h>

#include "imaging/Layout.h"
#include "slides/PictureChange.h"

TEST(Layout, LetterboxedContainFit) {
  struct TCase {
    int32_t W, H, Pw, Ph;
    TFit Fit;
    TRect Expected;
  };
  const TCase cases[] = {
      {1024, 768, 1024, 768, TFit::Width, {0, 0, 1024, 768}}, {1280, 1024, 1024, 768, TFit::Width, {0, 32, 1280, 960}},
      {1920, 1080, 1024, 768, TFit::Height, {240, 0, 1440, 1080}},
      {1024, 768, 576, 768, TFit::Height, {224, 0, 576, 768}},     // portrait: bars left and right
      {1024, 768, 1024, 220, TFit::Width, {0, 274, 1024, 220}},    // strip: bars top and bottom
      {1280, 800, 1024, 768, TFit::Height, {106, 0, 1067, 800}},   // 1066.67 wide, 213 px of bars
      {152, 112, 1024, 768, TFit::Height, {1, 0, 149, 112}},       // 149.33 wide
      {77, 102, 576, 768, TFit::Height, {0, 0, 76, 102}},          // 76.5 goes to the even 76
      {80, 106, 576, 768, TFit::Height, {0, 0, 80, 106}},          // 79.5 goes to the even 80
      {1024, 768, 445, 241, TFit::None, {289, 263, 445, 241}},     // own size, centred
      {100, 100, 300, 100, TFit::Height, {-100, 0, 300, 100}},     // overflow stays centred
      {100, 100, 301, 100, TFit::None, {-101, 0, 301, 100}},
      {MaxCellSide, 1, 1, 65535, TFit::Width, {0, -1073692672, MaxCellSide, 2147385345}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " " << c.Pw << "x" << c.Ph);
    EXPECT_EQ(LayoutPicture(c.W, c.H, c.Pw, c.Ph, c.Fit), c.Expected);
  }
}

TEST(Layout, SizesOutsideTheDomainGiveNothing) {
  const int32_t bad[][4] = {{0, 768, 1024, 768},  {1024, 0, 1024, 768}, {1024, 768, 0, 768},
                            {1024, 768, 1024, -1}, {MaxCellSide + 1, 768, 1024, 768},
                            {1024, 768, 65536, 768}};
  for (const auto& b : bad) EXPECT_TRUE(LayoutPicture(b[0], b[1], b[2], b[3], TFit::Width).Empty());
}

// With the fit the session chooses, the picture touches the fitted sides and never overflows
// the other side by more than a pixel of rounding.
TEST(Layout, TheSessionsFitAlwaysContains) {
  const int32_t windows[][2] = {{1024, 768}, {1280, 800}, {1280, 1024}, {152, 112}, {77, 102},
                                {1920, 1080}, {3840, 2160}, {800, 600}, {1366, 768}, {100, 1000}};
  for (const auto& w : windows) {
    for (int32_t pw = 1; pw <= 2000; pw += 37) {
      for (int32_t ph = 1; ph <= 2000; ph += 41) {
        TFit fit = ChooseFit(w[0], w[1], pw, ph);
        TRect r = LayoutPicture(w[0], w[1], pw, ph, fit);
        SCOPED_TRACE(testing::Message() << w[0] << "x" << w[1] << " " << pw << "x" << ph);
        if (fit == TFit::Width) {
          ASSERT_EQ(r.Width, w[0]);
          ASSERT_LE(r.Height, w[1] + 1);
        } else {
          ASSERT_EQ(r.Height, w[1]);
          ASSERT_LT(r.Width, w[0]);
        }
      }
    }
  }
}
