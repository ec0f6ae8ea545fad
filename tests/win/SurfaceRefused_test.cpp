// A monitor window whose frame surface the system refuses (memory short, a monitor too large, the
// limit of GDI objects) paints black over whatever lies beneath and makes its surface again at
// the next picture; nothing reaches the error report.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/ApplicationWin32.h"
#include "monitors/MonitorWindowWin32.h"
#include "tests/support/PageTags.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestAccess.h"
#include "tests/support/TestWindows.h"

TEST(SurfaceRefused, AMonitorWindowPaintsBlackAndTriesAgainAtItsNextPicture) {
  constexpr int w = 200, h = 150;
  Application.Initialize();
  int errors = 0;
  Application.OnException = [&](const std::exception&) { ++errors; };
  // White beneath: a window that painted nothing would show it.
  const TWindow beneath(CreateHostWindow(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, WHITE_BRUSH));
  const UINT_PTR ticker = SetTimer(nullptr, 0, 10, nullptr);
  TTestAccess::RefuseSurfaces(1);
  TMonitorWindow window(TRect{0, 0, w, h}, nullptr);
  EXPECT_TRUE(ShowsBlack(window.Handle()));
  window.ShowPicture(0, FadeExit, 1);  // the first picture on a new surface simply appears
  EXPECT_FALSE(AllBlack(TTestAccess::CopyScreen(window)));
  // Under Wine a window never painted shows black too; one that changes size does not.
  TTestAccess::RefuseSurfaces(1);
  window.Place(TRect{0, 0, w, h - 10});
  EXPECT_TRUE(TTestAccess::CopyScreen(window).Pixels.empty());
  EXPECT_TRUE(ShowsBlack(window.Handle()));
  window.ShowPicture(1, FadeExit, 2);
  EXPECT_EQ(window.Picture(), 1);
  EXPECT_EQ(TTestAccess::CopyScreen(window).Height, h - 10);
  KillTimer(nullptr, ticker);
  Application.OnException = nullptr;
  EXPECT_EQ(errors, 0);
}
