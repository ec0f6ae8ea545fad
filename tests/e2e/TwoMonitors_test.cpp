// A full-screen session on a desk of two monitors (a 1024 x 768 primary, an 800 x 600 monitor to
// its right): the saver window on the primary, a window of the program on the other showing its
// own pictures, input there ending the session, and the monitor going away mid-session. Runs on
// the two-monitor display only (ctest entry e2e_two_monitors).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/Driver.h"
#include "tests/e2e/SlideshowSession.h"

namespace {

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
  ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, TMs(10000)))
      << "nobody ran xrandr " << arguments;
}

// The mean brightness of a grid of cells over area: a small picture of what a monitor shows,
// comparable between monitors of different sizes.
std::vector<double> Thumbnail(const TPixels& shot, const RECT& area, int columns = 16, int rows = 12) {
  std::vector<double> cells(size_t(columns * rows), 0.0);
  const int width = area.right - area.left, height = area.bottom - area.top;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t p = shot.Data[size_t(area.top + y) * shot.Width + size_t(area.left + x)];
      double grey = ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3.0;
      cells[size_t((y * rows / height) * columns + x * columns / width)] += grey;
    }
  const double perCell = double(width) * height / (columns * rows);
  for (double& cell : cells) cell /= perCell;
  return cells;
}

double MeanDifference(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
  return sum / double(a.size());
}

// The rectangle of the pixels of area brighter than black (in area's coordinates).
RECT LitBounds(const TPixels& shot, const RECT& area) {
  RECT lit{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x) {
      uint32_t p = shot.Data[size_t(y) * shot.Width + size_t(x)];
      if ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF) <= 3 * 12) continue;
      lit = {std::min(lit.left, x - area.left), std::min(lit.top, y - area.top), std::max(lit.right, x - area.left + 1),
             std::max(lit.bottom, y - area.top + 1)};
    }
  return lit;
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
  const auto started = std::chrono::steady_clock::now();
  HWND saver = StartFullScreen();
  ASSERT_TRUE(saver);

  // Every pixel covered: the saver window exactly on the primary, one window exactly on the other.
  EXPECT_EQ(Text(ReadWindowInfo(saver).Window), Text(FMonitors[0]));
  ASSERT_TRUE(WaitUntil([&] { return MonitorWindows().size() == 1; }, TMs(5000)));
  HWND other = MonitorWindows()[0];
  TWindowInfo info = ReadWindowInfo(other);
  EXPECT_EQ(Text(info.Window), Text(FMonitors[1]));
  const DWORD wanted = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
  EXPECT_EQ(info.ExStyle & wanted, wanted) << std::hex << info.ExStyle;
  EXPECT_EQ(info.Parent, GetDesktopWindow());
  HWND owner = GetWindow(other, GW_OWNER);
  EXPECT_TRUE(owner != nullptr && !IsWindowVisible(owner)) << "not owned by the hidden application window";
  EXPECT_EQ(GetForegroundWindow(), saver) << "the activation left the saver window";

  // The first pictures come on the same tick, about 2 s in; their 3 s transitions are over by 6 s.
  Pause(std::chrono::duration_cast<TMs>(started + TMs(6500) - std::chrono::steady_clock::now()));
  const TPixels shot = CaptureScreen(ScreenArea());
  SaveShot("two-monitors");
  const RECT secondary{FMonitors[1].left, 0, FMonitors[1].right, FMonitors[1].bottom};
  // Fitted to the 800 x 600 monitor: as wide or as high as it, centred on black (a tolerance for
  // photographs whose edges are nearly black).
  const RECT lit = LitBounds(shot, secondary);
  const bool fullWidth = lit.left <= 4 && lit.right >= 796, fullHeight = lit.top <= 4 && lit.bottom >= 596;
  EXPECT_TRUE(fullWidth || fullHeight) << "picture on the secondary: " << Text(lit);
  if (fullWidth) {
    EXPECT_LE(std::abs(lit.top - (600 - lit.bottom)), 8) << Text(lit);
  } else if (fullHeight) {
    EXPECT_LE(std::abs(lit.left - (800 - lit.right)), 8) << Text(lit);
  }
  // Below the secondary lies no monitor: nothing of the program may be drawn there.
  EXPECT_EQ(LitBounds(shot, RECT{1024, 600, 1824, 768}).right, LONG_MIN);
  EXPECT_GT(MeanDifference(Thumbnail(shot, FMonitors[0]), Thumbnail(shot, secondary)), 8.0)
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
    ASSERT_TRUE(WaitUntil([&] { return MonitorWindows().size() == 1; }, TMs(5000)));
    MoveExactly(Offset(start, 5, -5));
    ExpectStillRunning();
    if (click)
      Click(TMouseButton::Left);
    else
      MoveExactly(Offset(start, 0, 6));
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
  ASSERT_TRUE(WaitUntil([&] { return MonitorWindows().size() == 1; }, TMs(5000)));

  RunXrandr("--output DUMMY1 --off");
  ASSERT_TRUE(WaitUntil([&] { return Monitors().size() == 1; }, TMs(5000)));
  EXPECT_TRUE(WaitUntil([&] { return MonitorWindows().empty(); }, TMs(5000))) << "a window outlived its monitor";
  Pause(TMs(9000));  // a picture change on one monitor
  EXPECT_TRUE(FSaver->Running());
  EXPECT_EQ(Text(ReadWindowInfo(saver).Window), Text(FMonitors[0]));

  // The primary's new resolution: the saver window follows, and its next picture page is laid
  // out for the new size.
  RunXrandr("--output DUMMY0 --mode 800x600");
  EXPECT_TRUE(WaitUntil([&] { return Text(ReadWindowInfo(saver).Window) == Text(RECT{0, 0, 800, 600}); }, TMs(5000)))
      << Text(ReadWindowInfo(saver).Window);
  const std::vector<std::string> pages = NewTempFiles("ins*.htm");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(WaitUntil(
      [&] { return ReadTempFile(pages[0]).value_or("").find("<td width=\"800\" height=\"600\"") != std::string::npos; },
      TMs(10000)))
      << ReadTempFile(pages[0]).value_or("");

  RunXrandr("--output DUMMY0 --mode 1024x768");
  RunXrandr("--output DUMMY1 --mode 800x600 --right-of DUMMY0");
  ASSERT_TRUE(WaitUntil([&] { return Monitors().size() == 2; }, TMs(5000)));
  EXPECT_TRUE(WaitUntil([&] { return MonitorWindows().size() == 1; }, TMs(5000)));
  if (!MonitorWindows().empty()) {
    EXPECT_EQ(Text(ReadWindowInfo(MonitorWindows()[0]).Window), Text(FMonitors[1]));
  }
  // The monitor that came back shows a picture at once, not black until the next change.
  const RECT secondary{FMonitors[1].left, 0, FMonitors[1].right, FMonitors[1].bottom};
  EXPECT_TRUE(WaitUntil([&] { return LitBounds(CaptureScreen(ScreenArea()), secondary).right != LONG_MIN; }, TMs(1500)))
      << "the monitor that came back stays black";
  EXPECT_EQ(Text(ReadWindowInfo(saver).Window), Text(FMonitors[0]));
  EXPECT_TRUE(FSaver->Running());

  PressKey('A');
  ExpectCleanEnd();
}

}  // namespace
