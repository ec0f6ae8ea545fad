// Windows whose frame surface the system refuses (memory short, a monitor too large, the limit of
// GDI objects): a monitor window and the page view paint black over whatever lies beneath, make
// their surface again at the next picture, and nothing reaches the error report.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "base/ApplicationWin32.h"
#include "display/FrameSurfaceWin32.h"
#include "pageview/WebBrowserWin32.h"
#include "session/MonitorWindowWin32.h"
#include "tests/support/MessageLoop.h"
#include "tests/support/PageTags.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestJpeg.h"
#include "tests/support/TestWindows.h"

namespace {

constexpr int SideW = 200, SideH = 150;

bool AllBlack(const TFrame& frame) {
  return !frame.Pixels.empty() && std::all_of(frame.Pixels.begin(), frame.Pixels.end(), [](uint32_t p) { return p == 0xFF000000u; });
}

class SurfaceRefusedTest : public testing::Test {
protected:
  void SetUp() override {
    Application.Initialize();
    Application.OnException = [this](const std::exception&) { ++Errors; };
    // White beneath: a window that painted nothing would show it.
    Beneath = CreateHostWindow(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, SideW, SideH, nullptr, WHITE_BRUSH);
    Ticker = SetTimer(nullptr, 0, 10, nullptr);
  }
  void TearDown() override {
    TFrameSurface::RefuseSurfaces(0);
    KillTimer(nullptr, Ticker);
    DestroyWindow(Beneath);
    Application.OnException = nullptr;
    EXPECT_EQ(Errors, 0);
  }
  bool ShowsBlack(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return PumpUntil([&] { return AllBlack(CapturedClient(window, client.right, client.bottom)); });
  }

  HWND Beneath = nullptr;
  UINT_PTR Ticker = 0;
  int Errors = 0;
};

TEST_F(SurfaceRefusedTest, AMonitorWindowPaintsBlackAndTriesAgainAtItsNextPicture) {
  TFrameSurface::RefuseSurfaces(1);
  TMonitorWindow window(RECT{0, 0, SideW, SideH}, nullptr);
  EXPECT_TRUE(window.CopyScreen().Pixels.empty());
  EXPECT_TRUE(ShowsBlack(window.Handle()));
  window.ShowPicture(0, FadeExit, 1);  // the first picture on a new surface simply appears
  EXPECT_EQ(window.Picture(), 0);
  EXPECT_FALSE(AllBlack(window.CopyScreen()));
  // A new size refused as well: black again; the next picture fades in from black.
  TFrameSurface::RefuseSurfaces(1);
  window.Place(RECT{0, 0, SideW, SideH - 10});
  EXPECT_TRUE(window.CopyScreen().Pixels.empty());
  EXPECT_TRUE(ShowsBlack(window.Handle()));
  window.Player().SetTimeScale(100);
  window.ShowPicture(1, FadeExit, 2);
  ASSERT_TRUE(PumpUntil([&] { return !window.Player().Animating(); }));
  EXPECT_EQ(window.CopyScreen().Height, SideH - 10);
  EXPECT_FALSE(AllBlack(window.CopyScreen()));
}

TEST_F(SurfaceRefusedTest, ThePageViewPaintsBlackRatherThanACornerAndTriesAgainAtTheNextPage) {
  const TScratchFolder folder;
  const std::string picture = folder.Write("p.jpg", MakeQuadrantJpeg(SideW, SideH));
  const std::string page = folder.Write("p.htm", PicturePageText(FadeExit, SideW, SideH, picture, TFit::Width));
  TWebBrowser view(Beneath, -2, -2, SideW / 2, SideH / 2);  // made at a smaller size, as the saver's is
  view.Show();
  view.Navigate(page);
  ASSERT_TRUE(PumpUntil([&] { return !AllBlack(view.CopyScreen()); }));
  TFrameSurface::RefuseSurfaces(2);  // one for each side's change
  view.SetWidth(SideW + 4);
  view.SetHeight(SideH + 4);
  EXPECT_TRUE(ShowsBlack(Beneath));
  view.Navigate(page);
  ASSERT_TRUE(PumpUntil([&] { return view.CopyScreen().Width == SideW && !AllBlack(view.CopyScreen()); }));
  EXPECT_EQ(CapturedClient(Beneath, SideW, SideH).Pixels, view.CopyScreen().Pixels);
}

}  // namespace
