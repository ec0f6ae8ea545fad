// The slideshow as the user and the screen-saver host meet it: Lumivale.scr /s full screen and /p
// in a host's preview window. Its window, the page and picture files it writes, the input that
// ends a session and the input that does not, the password on the Windows 95 family, and that
// every ending leaves exit code 0, no temporary file and the browser settings as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/SlideshowSession.h"
#include "tests/standins/StandInInstall.h"

namespace {

// Width and height from a JPEG file's frame header (any SOFn marker).
std::optional<std::pair<int, int>> JpegSize(const std::string& jpg) {
  auto byte = [&](size_t at) { return unsigned(static_cast<unsigned char>(jpg[at])); };
  if (jpg.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return std::nullopt;
  size_t at = 2;
  while (at + 4 <= jpg.size()) {
    if (byte(at) != 0xFF) return std::nullopt;
    unsigned marker = byte(at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > jpg.size()) return std::nullopt;
      return std::pair<int, int>(int(byte(at + 7) << 8 | byte(at + 8)), int(byte(at + 5) << 8 | byte(at + 6)));
    }
    at += 2 + (byte(at + 2) << 8 | byte(at + 3));
  }
  return std::nullopt;
}

// A picture fits the window's height when, scaled to that height, it would be narrower than the
// window; otherwise its width. The scaled width is rounded half to even.
std::string FitFor(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
  long double scaled = static_cast<long double>(windowHeight) / pictureHeight * pictureWidth;
  return std::nearbyint(scaled) < windowWidth ? "height=\"100%\"" : "width=\"100%\"";
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

// The program's picture file whose bytes these are (pictures/110.jpg to 159.jpg), or "".
std::string MatchingPictureFile(const std::string& bytes) {
  for (int id = 110; id <= 159; ++id) {
    std::string name = std::to_string(id) + ".jpg";
    if (ReadFileBytes(WindowsPath(LUMI_SOURCE_DIR "/pictures/" + name)) == bytes) return name;
  }
  return {};
}

class SlideshowTest : public SlideshowSessionTest {
 protected:
  // Waits for the first picture page and checks it, the picture file it names and the picture's
  // fit for a window of width x height.
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
    std::optional<std::pair<int, int>> size = JpegSize(*jpg);
    ASSERT_TRUE(size) << "the picture file has no JPEG frame header";
    auto [pictureWidth, pictureHeight] = *size;
    std::string source = MatchingPictureFile(*jpg);
    SCOPED_TRACE("picture " + source + ", " + std::to_string(pictureWidth) + " x " + std::to_string(pictureHeight));
    EXPECT_NE(source, "") << "the picture file is no copy of a picture of the program";
    EXPECT_EQ(*page, PicturePage(width, height, TempDirectory() + pictures[0],
                                 FitFor(width, height, pictureWidth, pictureHeight)));
  }
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

TEST_F(SlideshowTest, FullScreenCoversTheScreenAndShowsPicturePages) {
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);

  TWindowInfo info = ReadWindowInfo(saver);
  EXPECT_TRUE(info.ExStyle & WS_EX_TOPMOST) << std::hex << info.ExStyle;
  EXPECT_EQ(info.Parent, GetDesktopWindow());
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(Text(info.Window), Text(RECT{0, 0, width, height}));
  ExpectSessionSettings();
  ExpectFirstPicturePage(width, height);
  ExpectSessionSettings();
  EXPECT_TRUE(FSaver->Running());

  PressKey('A');
  ExpectCleanEnd();
}

// Input that must not end a session: moves of up to 5 pixels on each axis from where the cursor
// stood at the start, button releases without a press, the wheel.
TEST_F(SlideshowTest, SmallMovesButtonReleasesAndTheWheelKeepItRunning) {
  ASSERT_TRUE(StartFullScreen());
  for (POINT to : {Offset(StartPoint, 5, 5), Offset(StartPoint, -5, -5), Offset(StartPoint, 5, -5),
                   Offset(StartPoint, -5, 5)}) {
    MoveExactly(to);
    Pause(TMs(200));
  }
  ExpectStillRunning();
  for (TMouseButton button : {TMouseButton::Left, TMouseButton::Right, TMouseButton::Middle})
    SendMouseButton(button, false);
  ExpectStillRunning();
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

void PrintTo(const TEndingCase& c, std::ostream* out) { *out << c.Name; }

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
    testing::Values(TEndingCase{"Key", [](HWND) { PressKey('A'); }},
                    TEndingCase{"SystemKey", [](HWND) { PressKey(VK_MENU); }},
                    TEndingCase{"LeftButton", [](HWND) { Click(TMouseButton::Left); }},
                    TEndingCase{"RightButton", [](HWND) { Click(TMouseButton::Right); }},
                    TEndingCase{"MiddleButton", [](HWND) { Click(TMouseButton::Middle); }},
                    TEndingCase{"SixPixelsRight", [](HWND) { MoveExactly(Offset(StartPoint, 6, 0)); }},
                    TEndingCase{"SixPixelsUp", [](HWND) { MoveExactly(Offset(StartPoint, 0, -6)); }},
                    TEndingCase{"CloseRequest", [](HWND saver) { PostClose(saver); }}),
    [](const auto& info) { return std::string(info.param.Name); });

// What the screen shows mid-session, kept for a look: a photograph, letterboxed on black where
// its shape differs from the screen's. Checked here only for not being black.
TEST_F(SlideshowTest, ScreenShowsAPicture) {
  auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(StartFullScreen());
  auto at = [&](TMs since) { Pause(std::chrono::duration_cast<TMs>(started + since - std::chrono::steady_clock::now())); };
  at(TMs(4000));
  TPixels shot = CaptureScreen(ScreenArea());
  SaveShot("slideshow-4s");
  size_t lit = std::count_if(shot.Data.begin(), shot.Data.end(), [](uint32_t p) { return p != 0; });
  EXPECT_GT(lit, shot.Data.size() / 10) << "the screen is (nearly) black 4 s into the session";
  at(TMs(10000));
  SaveShot("slideshow-10s");
  EXPECT_TRUE(FSaver->Running());
  PressKey('A');
  ExpectCleanEnd();
}

// --- Windows 95 family, with the saver password in use -------------------------------------------

std::optional<ULONGLONG> StandInRecord(const char* name) {
  ULONGLONG value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, StandInKeyPath, name, RRF_RT_DWORD | RRF_RT_QWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

void SetStandIn(const char* name, DWORD value) { WriteRegDword(StandInKeyPath, name, value); }

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
  ExpectStillRunning();
  EXPECT_EQ(Text(CursorPosition()), Text(afterPrompt));
  MoveExactly(Offset(afterPrompt, 5, -5));  // far from the first start, near the new one
  ExpectStillRunning();
  EXPECT_EQ(StandInRecord(VerifyCallsValue), std::optional<ULONGLONG>(1));
  ExpectSessionSettings();

  SetStandIn(VerifyAnswerValue, 1);
  MoveExactly(Offset(afterPrompt, 0, 6));
  ExpectCleanEnd();
  EXPECT_EQ(StandInRecord(VerifyCallsValue), std::optional<ULONGLONG>(2));
}

// Closing the window ends the session without a password, and nothing is asked afterwards either
// (hiding the ended session's window takes its activation away).
TEST_F(PasswordTest, ClosingTheWindowAsksNothing) {
  ReportWindows95();
  TInstalledStandIn password(StandInPasswordFile, InstalledPasswordName);
  SetStandIn(VerifyAnswerValue, 0);
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);
  PostClose(saver);
  ExpectCleanEnd();
  EXPECT_EQ(StandInRecord(VerifyCallsValue), std::nullopt);
}

// Sessions that end at the first trigger although the password is in use: the NT family never
// asks, and without PASSWORD.CPL there is nothing to ask with.
struct TNoPromptCase {
  const char* Name;
  bool Windows95;
  bool PasswordLibrary;  // the stand-in, answering "wrong password"
};

void PrintTo(const TNoPromptCase& c, std::ostream* out) { *out << c.Name; }

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
  ASSERT_TRUE(StartFullScreen());

  PressKey('A');
  ExpectCleanEnd();
  EXPECT_EQ(StandInRecord(VerifyCallsValue), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(, PasswordNotAsked,
                         testing::Values(TNoPromptCase{"WindowsNT", false, true},
                                         TNoPromptCase{"Windows95WithoutPasswordLibrary", true, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
