// A preview running while a full-screen session starts and ends, as when the user tries the saver
// from the display settings: whichever session ends first, once both have ended the browser
// settings hold exactly what they held before the first started, and no temporary file is left.
// The settings start as the one state in which the two processes differ: page transitions off,
// which only the first session finds so and only it may switch off again. What each guard does
// with every other state, and two sessions' guards in both orders, is proven natively
// (tests/unit/BrowserGuards_test.cpp).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"
#include "tests/e2e/SlideshowSession.h"

namespace {

enum class TFirstToEnd { FullScreen, Preview };

class SideBySide : public SlideshowSessionTest, public testing::WithParamInterface<TFirstToEnd> {
 protected:
  void TearDown() override {
    if (FPreview) FPreview->Kill();
    SlideshowSessionTest::TearDown();
  }

  std::optional<TProcess> FPreview;
};

TEST_P(SideBySide, SettingsComeBackAndNoFileStays) {
  std::optional<THostWindow> host(std::in_place, 152, 112);
  FPreview.emplace(TProcess::Launch(SaverPath(), "/p " + HandleText(host->Preview())));
  ASSERT_TRUE(WaitForSlideshow(*FPreview, StartTimeout)) << "no preview came up";
  // The full-screen session starts while the preview waits for its first picture.
  ASSERT_TRUE(StartFullScreen()) << "no full-screen session came up";
  ASSERT_TRUE(WaitUntil([&] { return NewTempFiles("ins*.htm").size() == 2 && NewTempFiles("ins*.jpg").size() == 2; },
                        PictureTimeout))
      << "the two sessions do not show a picture each";
  // Each session has added its marker; the first has switched transitions on.
  EXPECT_EQ(ReadRegString(SoundKey, ""), Sound + Marker + Marker);
  EXPECT_EQ(ReadRegDword(BrowserKey, "Page_Transitions"), std::optional<DWORD>(1));

  // The other session is given a moment to end with the first, wrongly.
  if (GetParam() == TFirstToEnd::FullScreen) {
    PressKey('A');
    ExpectEndsWith0AndNoBox(*FSaver, EndTimeout, "the full-screen session");
    Pause(Settle);
    EXPECT_TRUE(FPreview->Running()) << "the preview ended with the full-screen session";
    host.reset();
    ExpectEndsWith0AndNoBox(*FPreview, EndTimeout, "the preview");
  } else {
    host.reset();
    ExpectEndsWith0AndNoBox(*FPreview, EndTimeout, "the preview");
    Pause(Settle);
    EXPECT_TRUE(FSaver->Running()) << "the full-screen session ended with the preview";
    PressKey('A');
    ExpectEndsWith0AndNoBox(*FSaver, EndTimeout, "the full-screen session");
  }
  ExpectSystemAsBefore();
}

INSTANTIATE_TEST_SUITE_P(, SideBySide, testing::Values(TFirstToEnd::FullScreen, TFirstToEnd::Preview),
                         [](const auto& info) {
                           return info.param == TFirstToEnd::FullScreen ? "FullScreenEndsFirst" : "PreviewEndsFirst";
                         });

}  // namespace
