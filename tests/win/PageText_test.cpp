// The fit rule in the Windows build: extended precision is really in effect at run time.
#include <gtest/gtest.h>

#include "slides/PageText.h"
#include "slides/PictureChange.h"

TEST(PageTextWindows, FitRuleRunsWithA64BitSignificand) {
  // 1 / 30 * 75 is just above 2.5 with a 64-bit significand (sw 3, the width), exactly 2.5 with a
  // 53-bit one (sw 2, the height).
  EXPECT_STREQ(FitAttribute(ChooseFit(3, 1, 75, 30)), "width=\"100%\"");
  EXPECT_STREQ(FitAttribute(ChooseFit(77, 102, 576, 768)), "height=\"100%\"");
}
