// The slideshow as the user and the screen-saver host meet it: Lumivale.scr /s full screen and /p
// in a host's preview window. Its window, the page and picture files it writes, the input that
// ends a session and the input that does not, the password on the Windows 95 family, and that
// every ending leaves exit code 0, no temporary file and the browser settings as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/SlideshowSession.h"
#include "tests/standins/StandInInstall.h"
#include "tests/support/PictureFiles.h"

namespace {

const char* const FitsHeight = "height=\"100%\"";
const char* const FitsWidth = "width=\"100%\"";

// The fit each picture gets on the screens these tests meet, worked out by hand: the picture's
// width scaled to the window's height, rounded, against the window's width. 1024 x 768 on
// 152 x 112 is 149.33, so 149 < 152: the height. The strips (1024 x 205 to 265) fill the width
// on all of them.
struct TScreenFit {
  int Width, Height;
  const char* Landscape;  // 1024 x 768
  const char* Portrait;   // 576 x 768
};
const TScreenFit ScreenFits[] = {
    {152, 112, FitsHeight, FitsHeight},  {1024, 768, FitsWidth, FitsHeight}, {1280, 800, FitsHeight, FitsHeight},
    {1280, 1024, FitsWidth, FitsHeight}, {1920, 1080, FitsHeight, FitsHeight},
};

std::string ExpectedFit(int windowWidth, int windowHeight, TPictureSize picture) {
  if (picture.Width > 3 * picture.Height) return FitsWidth;
  for (const TScreenFit& screen : ScreenFits)
    if (screen.Width == windowWidth && screen.Height == windowHeight)
      return picture.Height > picture.Width ? screen.Portrait : screen.Landscape;
  ADD_FAILURE() << "no known fit for a " << windowWidth << " x " << windowHeight << " screen: add it";
  return {};
}

std::string PicturePage(int width, int height, const std::string& picturePath, const std::string& fit) {
  return "<html><head>" + ExitTag +
         "</head><body oncontextmenu=\"return false;\" style=\"margin-top:0;margin-left:0;margin-bottom:0;"
         "margin-right:0\" bgcolor=\"#000000\"><table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" width=\"" +
         std::to_string(width + 1) + "\" height=\"" + std::to_string(height + 1) +
         "\" style=\"overflow:hidden\"><tr><td width=\"" + std::to_string(width) + "\" height=\"" +
         std::to_string(height) +
         "\" style=\"overflow:hidden\"><div align=\"center\" style=\"overflow:hidden\"><img src=\"" + picturePath +
         "\" " + fit + "></div></td></tr></table></body></html>";
}

// The program's picture (resource 110 to 159) whose file holds these bytes, or 0.
int MatchingPicture(const std::string& bytes) {
  for (int id = 110; id <= 159; ++id)
    if (PictureFileBytes(id) == std::vector<uint8_t>(bytes.begin(), bytes.end())) return id;
  return 0;
}

class SlideshowTest : public SlideshowSessionTest {
 protected:
  // Waits for the first picture page and checks it, the picture file it names and the picture's
  // fit for a window of width x height, which it keeps in FFit.
  void ExpectFirstPicturePage(int width, int height) {
    std::optional<std::string> page;
    bool written = WaitUntil(
        [&] {
          std::vector<std::string> pages = NewTempFiles("ins*.htm");
          page = pages.size() == 1 ? ReadTempFile(pages[0]) : std::nullopt;
          return page && page->ends_with("</table></body></html>");
        },
        PictureTimeout);
    ASSERT_TRUE(written) << "no picture page; the page file holds: " << page.value_or("(nothing)");
    std::vector<std::string> pictures = NewTempFiles("ins*.jpg");
    ASSERT_EQ(pictures.size(), 1u);
    std::optional<std::string> jpg = ReadTempFile(pictures[0]);
    ASSERT_TRUE(jpg);
    const int source = MatchingPicture(*jpg);
    ASSERT_NE(source, 0) << "the picture file is no copy of a picture of the program";
    SCOPED_TRACE("picture " + std::to_string(source));
    FFit = ExpectedFit(width, height, KnownPictureSize(source));
    EXPECT_EQ(*page, PicturePage(width, height, TempDirectory() + pictures[0], FFit));
  }

  std::string FFit;
};

// --- preview -----------------------------------------------------------------------------------

TEST_F(SlideshowTest, PreviewFillsTheHostsWindowAndEndsWithIt) {
  std::optional<THostWindow> host(std::in_place, 152, 112);
  HWND saver = Start("/p " + HandleText(host->Preview()));
  ASSERT_TRUE(saver);

  TWindowInfo info = ReadWindowInfo(saver);
  EXPECT_EQ(info.Style, DWORD(WS_CHILD | WS_VISIBLE)) << std::hex << info.Style;
  EXPECT_EQ(info.Parent, host->Preview());
  RECT preview{};
  GetWindowRect(host->Preview(), &preview);
  EXPECT_EQ(Text(info.Window), Text(preview));
  EXPECT_EQ(Text(info.Client), Text(RECT{0, 0, 152, 112}));
  ExpectSessionSettings();
  ExpectFirstPicturePage(152, 112);

  host.reset();  // the host takes its preview window away
  ExpectCleanEnd();
}

// --- full screen -------------------------------------------------------------------------------

// The window covers the screen, the first picture page is written, and the screen shows its
// photograph as the page fits it, letterboxed on black where its shape differs from the screen's.
TEST_F(SlideshowTest, FullScreenCoversTheScreenAndShowsThePicture) {
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);

  TWindowInfo info = ReadWindowInfo(saver);
  EXPECT_TRUE(info.ExStyle & WS_EX_TOPMOST) << std::hex << info.ExStyle;
  EXPECT_EQ(info.Parent, GetDesktopWindow());
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const RECT screen{0, 0, width, height};
  EXPECT_EQ(Text(info.Window), Text(screen));
  ExpectSessionSettings();
  ExpectFirstPicturePage(width, height);

  // Once its transition is over.
  const std::optional<TPixels> shot =
      WaitForScreen([&](const TPixels& s) { return ShowsFittedPicture(s, screen); }, PictureTimeout);
  SaveShot("slideshow");
  ASSERT_TRUE(shot) << "no fitted picture on the screen; lit: " << Text(LitBounds(CaptureScreen(screen), screen));
  const RECT lit = LitBounds(*shot, screen);
  if (FFit == FitsWidth) {
    EXPECT_TRUE(lit.left <= 4 && lit.right >= width - 4) << "the page fits the width; lit: " << Text(lit);
  } else {
    EXPECT_TRUE(lit.top <= 4 && lit.bottom >= height - 4) << "the page fits the height; lit: " << Text(lit);
  }
  const size_t shown = std::count_if(shot->Data.begin(), shot->Data.end(), [](uint32_t p) { return p != 0; });
  EXPECT_GT(shown, shot->Data.size() / 10) << "the screen is (nearly) black";
  ExpectSessionSettings();
  EXPECT_TRUE(FSaver->Running());

  PressKey('A');
  ExpectCleanEnd();
}

// Input that must not end a session: moves of up to 5 pixels on each axis from where the cursor
// stood at the start, button releases without a press, the wheel.
// The saver reads the cursor when it handles a move, and Wine merges moves that wait in its queue:
// each position is held for a while, so that the saver sees it. Input is handled in order, so one
// settling time after the last input gives every one of them its chance to end the session.
TEST_F(SlideshowTest, SmallMovesButtonReleasesAndTheWheelKeepItRunning) {
  ASSERT_TRUE(StartFullScreen());
  for (POINT to : {Offset(StartPoint, 5, 5), Offset(StartPoint, -5, -5), Offset(StartPoint, 5, -5),
                   Offset(StartPoint, -5, 5)}) {
    MoveExactly(to);
    Pause(TMs(200));
  }
  EXPECT_TRUE(FSaver->Running()) << "a move of 5 pixels ended the session";
  for (TMouseButton button : {TMouseButton::Left, TMouseButton::Right, TMouseButton::Middle})
    SendMouseButton(button, false);
  TurnMouseWheel(WHEEL_DELTA);
  TurnMouseWheel(-WHEEL_DELTA);
  ExpectStillRunning();
  ExpectSessionSettings();

  MoveExactly(Offset(StartPoint, -6, 0));
  ExpectCleanEnd();
}

struct TEndingCase {
  const char* Name;
  std::function<void(HWND saver)> End;
};

class FullScreenEnding : public SlideshowTest, public testing::WithParamInterface<TEndingCase> {};

TEST_P(FullScreenEnding, EndsTheSessionCleanly) {
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);
  ExpectSessionSettings();
  ASSERT_TRUE(FSaver->Running());
  GetParam().End(saver);
  ExpectCleanEnd();
}

INSTANTIATE_TEST_SUITE_P(
    , FullScreenEnding,
    testing::Values(TEndingCase{"Key", [](HWND) { PressKey(VK_SPACE); }},
                    TEndingCase{"SystemKey", [](HWND) { PressKey(VK_MENU); }},
                    TEndingCase{"LeftButton", [](HWND) { Click(TMouseButton::Left); }},
                    TEndingCase{"RightButton", [](HWND) { Click(TMouseButton::Right); }},
                    TEndingCase{"MiddleButton", [](HWND) { Click(TMouseButton::Middle); }},
                    TEndingCase{"SixPixelsRight", [](HWND) { MoveExactly(Offset(StartPoint, 6, 0)); }},
                    TEndingCase{"SixPixelsUp", [](HWND) { MoveExactly(Offset(StartPoint, 0, -6)); }},
                    TEndingCase{"CloseRequest", [](HWND saver) { PostClose(saver); }}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Windows 95 family, with the saver password in use -------------------------------------------

class PasswordTest : public SlideshowTest {
 protected:
  void SetUp() override {
    SlideshowTest::SetUp();
    ResetStandIns();
    WriteRegDword(DesktopKey, "ScreenSaveUsePassword", 1);
  }
  void TearDown() override {
    SlideshowTest::TearDown();
    ResetStandIns();
  }
  void ReportWindows95() { WriteRegString(AppDefaultsKey, "Version", "win98"); }

 private:
  TSavedRegValue FKeepUsePassword{DesktopKey, "ScreenSaveUsePassword"};
  TSavedRegValue FKeepVersion{AppDefaultsKey, "Version"};
};

// A refused password keeps the session, and movement then counts from where the cursor stands
// after the prompt; an accepted one ends it.
TEST_F(PasswordTest, RefusedKeepsTheSessionFromTheNewCursorAcceptedEndsIt) {
  ReportWindows95();
  TInstalledStandIn password(StandInPasswordFile, InstalledPasswordName);
  const POINT afterPrompt = Offset(StartPoint, 200, 150);
  SetStandIn(VerifyAnswerValue, 0);
  SetStandIn(VerifyCursorXValue, DWORD(afterPrompt.x));
  SetStandIn(VerifyCursorYValue, DWORD(afterPrompt.y));
  ASSERT_TRUE(StartFullScreen());

  Click(TMouseButton::Left);
  ASSERT_TRUE(WaitUntil([] { return StandInRecord(VerifyCallsValue) == 1u; }, EndTimeout)) << "no password prompt";
  EXPECT_TRUE(FSaver->Running());
  EXPECT_EQ(Text(CursorPosition()), Text(afterPrompt));
  MoveExactly(Offset(afterPrompt, 5, -5));  // far from the first start, near the new one
  ExpectStillRunning();  // neither the refusal nor the move has ended it
  EXPECT_EQ(StandInRecord(VerifyCallsValue), std::optional<ULONGLONG>(1));
  ExpectSessionSettings();

  SetStandIn(VerifyAnswerValue, 1);
  MoveExactly(Offset(afterPrompt, 0, 6));
  ExpectCleanEnd();
  EXPECT_EQ(StandInRecord(VerifyCallsValue), std::optional<ULONGLONG>(2));
}

// Sessions that end at the first trigger although the password is in use: the NT family never
// asks, without PASSWORD.CPL there is nothing to ask with, and closing the window ends the session
// without a password and asks nothing afterwards either (hiding the ended session's window takes
// its activation away).
struct TNoPromptCase {
  const char* Name;
  bool Windows95;
  bool PasswordLibrary;  // the stand-in, answering "wrong password"
  bool Close;            // the window closed instead of a key pressed
};

class PasswordNotAsked : public PasswordTest, public testing::WithParamInterface<TNoPromptCase> {};

TEST_P(PasswordNotAsked, FirstTriggerEndsTheSession) {
  const TNoPromptCase& c = GetParam();
  if (c.Windows95) ReportWindows95();
  std::optional<TInstalledStandIn> password;
  if (c.PasswordLibrary)
    password.emplace(StandInPasswordFile, InstalledPasswordName);
  else
    ASSERT_EQ(GetFileAttributesA(SystemDirectoryPath(InstalledPasswordName).c_str()), INVALID_FILE_ATTRIBUTES);
  SetStandIn(VerifyAnswerValue, 0);
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);
  if (c.Close) PostClose(saver); else PressKey('A');
  ExpectCleanEnd();
  EXPECT_EQ(StandInRecord(VerifyCallsValue), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(, PasswordNotAsked,
                         testing::Values(TNoPromptCase{"WindowsNT", false, true, false},
                                         TNoPromptCase{"Windows95WithoutPasswordLibrary", true, false, false},
                                         TNoPromptCase{"Windows95ClosingTheWindow", true, true, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
