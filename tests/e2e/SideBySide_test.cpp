// A preview running while a full-screen session starts and ends, as when the user tries the saver
// from the display settings: whichever session ends first, once both have ended the browser
// settings hold exactly what they held before the first started, and no temporary file is left.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"
#include "tests/e2e/SlideshowSession.h"

namespace {

// What the browser settings hold before either session starts; nothing stands for no value.
struct TStartState {
  const char* Name;
  std::optional<std::string> Sound;
  std::optional<DWORD> Transitions;
};

enum class TFirstToEnd { FullScreen, Preview };

class SideBySide : public testing::TestWithParam<std::tuple<TStartState, TFirstToEnd>> {
 protected:
  void SetUp() override {
    const TStartState& state = std::get<0>(GetParam());
    if (state.Sound)
      WriteRegString(SoundKey, "", *state.Sound);
    else
      DeleteRegValue(SoundKey, "");
    if (state.Transitions)
      WriteRegDword(BrowserKey, "Page_Transitions", *state.Transitions);
    else
      DeleteRegValue(BrowserKey, "Page_Transitions");
    FSoundBefore = ReadRegValue(SoundKey, "");
    FTransitionsBefore = ReadRegValue(BrowserKey, "Page_Transitions");
    FTempBefore = TempFiles("ins*");
  }

  void TearDown() override {
    for (std::optional<TProcess>* session : {&FPreview, &FFullScreen})
      if (*session) (*session)->Kill();
    for (const std::string& name : NewTempFiles("ins*")) DeleteFileW(Wide(TempDirectory() + name).c_str());
  }

  std::vector<std::string> NewTempFiles(const char* pattern) const { return Without(TempFiles(pattern), FTempBefore); }

  // Waits until `sessions` sessions have each written a page and copied a picture.
  bool WaitForFiles(size_t sessions) const {
    return WaitUntil([&] { return NewTempFiles("ins*.htm").size() == sessions && NewTempFiles("ins*.jpg").size() == sessions; },
                     PictureTimeout);
  }

  // The session ends within the time-out, with exit code 0 and without any box.
  static void ExpectEnds(TProcess& session, const char* which) {
    TRunResult run = RunAnsweringBoxes(session, EndTimeout);
    EXPECT_EQ(run.ExitCode, std::optional<DWORD>(0)) << which << " did not end";
    for (const TMessageBox& box : run.Boxes) ADD_FAILURE() << which << " box: " << box.Caption << ": " << box.Text;
  }

  std::optional<TProcess> FPreview, FFullScreen;
  std::optional<TRawRegValue> FSoundBefore, FTransitionsBefore;
  std::vector<std::string> FTempBefore;

 private:
  TSavedRegValue FKeepSound{SoundKey, ""};
  TSavedRegValue FKeepTransitions{BrowserKey, "Page_Transitions"};
};

TEST_P(SideBySide, SettingsComeBackAndNoFileStays) {
  const auto& [state, firstToEnd] = GetParam();
  const std::string saver = SaverPath();
  std::optional<THostWindow> host(std::in_place, 152, 112);
  FPreview.emplace(TProcess::Launch(saver, "/p " + HandleText(host->Preview())));
  ASSERT_TRUE(WaitForSlideshow(*FPreview, StartTimeout)) << "no preview came up";
  ASSERT_TRUE(WaitForFiles(1)) << "the preview shows no picture";

  MoveMouseTo(POINT{400, 300});
  FFullScreen.emplace(TProcess::Launch(saver, "/s"));
  ASSERT_TRUE(WaitForSlideshow(*FFullScreen, StartTimeout)) << "no full-screen session came up";
  ASSERT_TRUE(WaitForFiles(2)) << "the two sessions do not show a picture each";
  // Each session has added its marker and found transitions on or switched them on.
  if (state.Sound) {
    EXPECT_EQ(ReadRegString(SoundKey, ""), *state.Sound + Marker + Marker);
  }
  if (state.Transitions) {
    EXPECT_EQ(ReadRegDword(BrowserKey, "Page_Transitions"), std::optional<DWORD>(1));
  }

  if (firstToEnd == TFirstToEnd::FullScreen) {
    PressKey('A');
    ExpectEnds(*FFullScreen, "the full-screen session");
    Pause(TMs(500));
    EXPECT_TRUE(FPreview->Running()) << "the preview ended with the full-screen session";
    host.reset();
    ExpectEnds(*FPreview, "the preview");
  } else {
    host.reset();
    ExpectEnds(*FPreview, "the preview");
    Pause(TMs(500));
    EXPECT_TRUE(FFullScreen->Running()) << "the full-screen session ended with the preview";
    PressKey('A');
    ExpectEnds(*FFullScreen, "the full-screen session");
  }

  EXPECT_EQ(ReadRegValue(SoundKey, ""), FSoundBefore);
  EXPECT_EQ(ReadRegValue(BrowserKey, "Page_Transitions"), FTransitionsBefore);
  EXPECT_EQ(NewTempFiles("ins*"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    , SideBySide,
    testing::Combine(testing::Values(TStartState{"Absent", std::nullopt, std::nullopt},
                                     TStartState{"SoundAndTransitionsOff", "C:\\Windows\\Media\\click.wav", 0},
                                     TStartState{"EmptySoundAndTransitionsOn", "", 1}),
                     testing::Values(TFirstToEnd::FullScreen, TFirstToEnd::Preview)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).Name) +
             (std::get<1>(info.param) == TFirstToEnd::FullScreen ? "_FullScreenEndsFirst" : "_PreviewEndsFirst");
    });

}  // namespace
