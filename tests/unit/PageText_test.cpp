// The page texts byte for byte, the transition tag of every kind of effect index, and the fit
// rule's rounding.
#include <gtest/gtest.h>

#include <climits>

#include "base/Random.h"
#include "slides/PageText.h"
#include "slides/PictureChange.h"

namespace {

const std::string Fade = "<meta http-equiv=Page-Exit content=blendTrans(Duration=3)>";
const std::string Reveal = "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=";

}  // namespace

TEST(PageText, ExitTagFollowsTheEffectIndexUncheckedAndTheRandomEffectDrawsOncePerTag) {
  struct TCase {
    int32_t Effect;
    std::string Tag;
  } cases[] = {
      {23, Fade},           {0, Reveal + "0)>"},   {5, Reveal + "5)>"},
      {22, Reveal + "22)>"}, {25, Reveal + "25)>"}, {-1, Reveal + "-1)>"},
      {INT32_MIN, Reveal + "-2147483648)>"},
  };
  for (const TCase& c : cases) {
    RandSeed = 99;
    EXPECT_EQ(ExitMeta(ChooseExit(c.Effect)), c.Tag) << c.Effect;
    EXPECT_EQ(RandSeed, 99u) << "only 24 draws";
  }
  // 24 draws once per tag. Seed 0 steps to 1: Random(23) = 1 * 23 >> 32 = 0, the cross-fade.
  RandSeed = 0;
  EXPECT_EQ(ExitMeta(ChooseExit(24)), Fade);
  EXPECT_EQ(RandSeed, 1u);
  // Seed 0xFFFFFFFF steps to 4160191484: * 23 >> 32 = 22, the random reveal pattern.
  RandSeed = 0xFFFFFFFFu;
  EXPECT_EQ(ExitMeta(ChooseExit(24)), Reveal + "23)>");
  EXPECT_EQ(RandSeed, 4160191484u);

  int fades = 0;
  RandSeed = 1;
  for (int i = 0; i < 2300; ++i) {
    std::string tag = ExitMeta(ChooseExit(24));
    ASSERT_TRUE(tag == Fade || tag == Reveal + "23)>") << tag;
    fades += tag == Fade;
  }
  EXPECT_GT(fades, 50);
  EXPECT_LT(fades, 150);
}

TEST(PageText, FitsToHeightOnlyWhenTheScaledWidthFallsShort) {
  const std::string height = "height=\"100%\"", width = "width=\"100%\"";
  struct TCase {
    int32_t W, H, pw, ph;
    std::string Expected;
  } cases[] = {
      {1024, 768, 1024, 768, width},     // 1024 = W
      {1024, 768, 576, 768, height},     // 576
      {1024, 768, 1024, 220, width},     // 3574.69 -> 3575
      {1280, 800, 1024, 768, height},    // 1066.67 -> 1067
      {1280, 1024, 1024, 768, width},    // 1365.33 -> 1365
      {152, 112, 1024, 768, height},     // 149.33 -> 149
      {77, 102, 576, 768, height},       // 76.5 -> 76, to even
      {78, 155, 1, 2, width},            // 77.5 -> 78, to even
      {3, 1, 75, 30, width},             // 1 / 30 rounded to 64 bits, * 75: just above 2.5 -> 3
                                         // (53 bits, or exact arithmetic, give 2.5 -> 2)
      {1, 1, 0, 1, height},              // a picture without width
      {0, 0, 0, 0, width},               // without height: fit to width, no division
      {640, 480, 640, 0, width},
      {INT32_MAX, INT32_MAX, INT32_MAX, 1, width},  // far beyond 32 bits
  };
  for (const TCase& c : cases)
    EXPECT_EQ(FitAttribute(ChooseFit(c.W, c.H, c.pw, c.ph)), c.Expected) << c.W << "x" << c.H << " " << c.pw << "x" << c.ph;
}

TEST(PageText, PagesByteForByte) {
  EXPECT_EQ(BlankPageText(ChooseExit(23)),
            "<html><head><meta http-equiv=Page-Exit content=blendTrans(Duration=3)></head><body "
            "oncontextmenu=\"return false;\" style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" "
            "bgcolor=\"#000000\"></body></html>");
  EXPECT_EQ(PicturePageText(ChooseExit(5), 1024, 768, "C:\\TEMP\\ins1A2B.jpg", ChooseFit(1024, 768, 1024, 768)),
            "<html><head><meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=5)></head><body "
            "oncontextmenu=\"return false;\" style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" "
            "bgcolor=\"#000000\"><table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" width=\"1025\" "
            "height=\"769\" style=\"overflow:hidden\"><tr><td width=\"1024\" height=\"768\" "
            "style=\"overflow:hidden\"><div align=\"center\" style=\"overflow:hidden\"><img "
            "src=\"C:\\TEMP\\ins1A2B.jpg\" width=\"100%\"></div></td></tr></table></body></html>");
  // The table, a pixel larger than the cell, does not overflow.
  EXPECT_NE(PicturePageText(ChooseExit(23), INT32_MAX, INT32_MAX, "p", TFit::Width).find("width=\"2147483648\" height=\"2147483648\""),
            std::string::npos);
}

TEST(PageText, PathGoesInAsStoredAndNoPageHasALineBreak) {
  const std::string path = "C:\\Dokumente und Einstellungen\\J\xFCrgen\\Lokale Einstellungen\\Temp\\ins00FF.jpg";
  std::vector<std::string> pages = {BlankPageText(ChooseExit(-1))};
  for (int32_t effect : {0, 22, 23, 24, 99})
    pages.push_back(PicturePageText(ChooseExit(effect), 152, 112, path, ChooseFit(152, 112, 1024, 768)));
  for (const std::string& page : pages) {
    EXPECT_EQ(page.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(page.rfind("<html><head>", 0), 0u);
  }
  EXPECT_NE(pages[1].find("<img src=\"" + path + "\" height=\"100%\">"), std::string::npos);
  EXPECT_NE(pages[1].find("width=\"153\" height=\"113\""), std::string::npos);
}
