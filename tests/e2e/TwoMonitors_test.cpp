// A full-screen session on a desk of two monitors (a 1024 x 768 primary, an 800 x 600 monitor to
// its right): the saver window on the primary, a window of the program on the other showing its
// own pictures, input there ending the session, and the monitor going away mid-session. Runs on
// the two-monitor display only (the e2e_tests entry's session with LUMI_MONITORS=2).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/SlideshowSession.h"

namespace {

std::string Text(const std::vector<RECT>& areas) {
  std::string text;
  for (const RECT& area : areas) text += Text(area) + " ";
  return text;
}

// The monitors as the system reports them, the primary first.
std::vector<RECT> Monitors() {
  std::vector<RECT> areas;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM list) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(monitor, &info);
        auto& areas = *reinterpret_cast<std::vector<RECT>*>(list);
        areas.insert((info.dwFlags & MONITORINFOF_PRIMARY) ? areas.begin() : areas.end(), info.rcMonitor);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&areas));
  return areas;
}

// Asks the script that runs this program under Wine to run `xrandr arguments` on the display,
// and waits until it has: it watches C:\lumi-xrandr.
void RunXrandr(const std::string& arguments) {
  const std::wstring request = L"C:\\lumi-xrandr";
  TFileHandle file(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file);
  DWORD written = 0;
  WriteFile(file.Get(), arguments.data(), DWORD(arguments.size()), &written, nullptr);
  file.Reset();
  ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, ReactTimeout))
      << "nobody ran xrandr " << arguments;
}

class TwoMonitorsTest : public SlideshowSessionTest {
 protected:
  void SetUp() override {
    SlideshowSessionTest::SetUp();
    FMonitors = Monitors();
    ASSERT_EQ(FMonitors.size(), 2u) << "this test needs the two-monitor display";
    ASSERT_EQ(Text(FMonitors[0]), Text(RECT{0, 0, 1024, 768}));
    ASSERT_EQ(Text(FMonitors[1]), Text(RECT{1024, 0, 1824, 600}));
  }

  // The program's visible windows on the other monitors.
  std::vector<HWND> MonitorWindows() const {
    std::vector<HWND> windows = ProcessWindowsOfClass(*FSaver, L"TMonitorWindow");
    std::erase_if(windows, [](HWND window) { return !IsWindowVisible(window); });
    return windows;
  }

  std::vector<RECT> FMonitors;
};

TEST_F(TwoMonitorsTest, BothMonitorsShowPicturesOfTheirOwn) {
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);

  // Every pixel covered: the saver window exactly on the primary, one window exactly on the other.
  EXPECT_EQ(Text(ReadWindowInfo(saver).Window), Text(FMonitors[0]));
  ASSERT_TRUE(WaitUntil([&] { return MonitorWindows().size() == 1; }, ReactTimeout));
  HWND other = MonitorWindows()[0];
  TWindowInfo info = ReadWindowInfo(other);
  EXPECT_EQ(Text(info.Window), Text(FMonitors[1]));
  const DWORD wanted = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
  EXPECT_EQ(info.ExStyle & wanted, wanted) << std::hex << info.ExStyle;
  EXPECT_EQ(info.Parent, GetDesktopWindow());
  HWND owner = GetWindow(other, GW_OWNER);
  EXPECT_TRUE(owner != nullptr && !IsWindowVisible(owner)) << "not owned by the hidden application window";
  EXPECT_EQ(GetForegroundWindow(), saver) << "the activation left the saver window";

  // The first pictures come on the same tick, each fitted to its own monitor once its transition
  // is over: the 800 x 600 one as wide or as high as it, centred on black.
  const RECT secondary{FMonitors[1].left, 0, FMonitors[1].right, FMonitors[1].bottom};
  const std::optional<TPixels> shot = WaitForScreen(
      [&](const TPixels& s) { return ShowsFittedPicture(s, FMonitors[0]) && ShowsFittedPicture(s, secondary); },
      PictureTimeout);
  SaveShot("two-monitors");
  if (!shot) {
    const TPixels last = CaptureScreen(ScreenArea());
    FAIL() << "no fitted pictures; lit on the primary " << Text(LitBounds(last, FMonitors[0])) << ", on the secondary "
           << Text(LitBounds(last, secondary));
  }
  // Below the secondary lies no monitor: nothing of the program may be drawn there.
  EXPECT_EQ(LitBounds(*shot, RECT{1024, 600, 1824, 768}).right, LONG_MIN);
  EXPECT_GT(MeanDifference(Thumbnail(*shot, FMonitors[0]), Thumbnail(*shot, secondary)), 8.0)
      << "both monitors show the same picture";
  // The other monitor keeps no files: the session's two are all there are.
  EXPECT_EQ(NewTempFiles("ins*").size(), 2u);

  PressKey('A');
  ExpectCleanEnd();
  EXPECT_TRUE(MonitorWindows().empty());
}

// Input on the other monitor counts as on the primary: counted from where the cursor stood
// there when the session started, 5 pixels keep it, a 6th or a click ends it.
TEST_F(TwoMonitorsTest, InputOnTheOtherMonitorEndsTheSession) {
  const POINT start{1400, 300};
  for (bool click : {true, false}) {
    SCOPED_TRACE(click ? "click" : "move");
    MoveExactly(start);
    ASSERT_TRUE(Start("/s"));
    ASSERT_TRUE(WaitUntil([&] { return MonitorWindows().size() == 1; }, ReactTimeout));
    if (click) {
      Click(TMouseButton::Left);
    } else {
      MoveExactly(Offset(start, 5, -5));
      ExpectStillRunning();
      MoveExactly(Offset(start, 0, 6));
    }
    ExpectCleanEnd();
    FSaver.reset();
  }
}

// The other monitor is switched off mid-session and on again, the primary's resolution changes
// and changes back: the windows follow (none left where no monitor is), the saver window's pages
// take the primary's new size, and the session still ends cleanly.
TEST_F(TwoMonitorsTest, WindowsFollowTheMonitorsLayout) {
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);
  ASSERT_TRUE(WaitUntil([&] { return MonitorWindows().size() == 1; }, ReactTimeout));

  RunXrandr("--output DUMMY1 --off");
  ASSERT_TRUE(WaitUntil([&] { return Monitors().size() == 1; }, ReactTimeout));
  EXPECT_TRUE(WaitUntil([&] { return MonitorWindows().empty(); }, ReactTimeout)) << "a window outlived its monitor";
  // The next picture change comes on the one monitor left: a new picture page, shown on the screen.
  const std::vector<std::string> pages = NewTempFiles("ins*.htm");
  ASSERT_EQ(pages.size(), 1u);
  const std::string pageBefore = ReadTempFile(pages[0]).value_or("");
  const std::vector<double> screenBefore = Thumbnail(CaptureScreen(ScreenArea()), FMonitors[0]);
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::string page = ReadTempFile(pages[0]).value_or(pageBefore);
        return page != pageBefore && page.ends_with("</table></body></html>");
      },
      PictureTimeout))
      << "no picture change with one monitor";
  EXPECT_TRUE(WaitForScreen(
      [&](const TPixels& s) { return MeanDifference(Thumbnail(s, FMonitors[0]), screenBefore) > 1.0; }, EndTimeout))
      << "the picture change does not show";
  EXPECT_TRUE(FSaver->Running());
  EXPECT_EQ(Text(ReadWindowInfo(saver).Window), Text(FMonitors[0]));

  // The primary's new resolution: the saver window follows, and its next picture page is laid
  // out for the new size.
  RunXrandr("--output DUMMY0 --mode 800x600");
  EXPECT_TRUE(WaitUntil([&] { return Text(ReadWindowInfo(saver).Window) == Text(RECT{0, 0, 800, 600}); }, ReactTimeout))
      << Text(ReadWindowInfo(saver).Window);
  EXPECT_TRUE(WaitUntil(
      [&] { return ReadTempFile(pages[0]).value_or("").find("<td width=\"800\" height=\"600\"") != std::string::npos; },
      PictureTimeout))
      << ReadTempFile(pages[0]).value_or("");

  RunXrandr("--output DUMMY0 --mode 1024x768");
  RunXrandr("--output DUMMY1 --mode 800x600 --right-of DUMMY0");
  // Wine may list the second monitor before the primary has its size back: the layout of the
  // start is awaited, and then the windows that follow it.
  ASSERT_TRUE(WaitUntil([&] { return Text(Monitors()) == Text(FMonitors); }, ReactTimeout)) << Text(Monitors());
  EXPECT_TRUE(WaitUntil(
      [&] { return MonitorWindows().size() == 1 && Text(ReadWindowInfo(MonitorWindows()[0]).Window) == Text(FMonitors[1]); },
      ReactTimeout))
      << "no window on the monitor that came back";
  EXPECT_TRUE(WaitUntil([&] { return Text(ReadWindowInfo(saver).Window) == Text(FMonitors[0]); }, ReactTimeout))
      << Text(ReadWindowInfo(saver).Window);
  // The monitor that came back shows a picture at once, not black until the next change.
  const RECT secondary{FMonitors[1].left, 0, FMonitors[1].right, FMonitors[1].bottom};
  EXPECT_TRUE(WaitUntil([&] { return LitBounds(CaptureScreen(ScreenArea()), secondary).right != LONG_MIN; }, TMs(1500)))
      << "the monitor that came back stays black";
  EXPECT_TRUE(FSaver->Running());

  PressKey('A');
  ExpectCleanEnd();
}

}  // namespace
