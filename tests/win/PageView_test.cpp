// The page view as a window under the real message loop: placement, navigation, the fade and the
// reveals played frame by frame, a navigation that cuts a transition short, and what reaches the
// screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "base/ApplicationWin32.h"
#include "pageview/PageRender.h"
#include "pageview/PageViewWin32.h"
#include "slides/PageText.h"
#include "slides/TempFiles.h"
#include "tests/support/MessageLoop.h"
#include "tests/support/PageTags.h"
#include "tests/support/Ppm.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestAccess.h"
#include "tests/support/TestWindows.h"

namespace {

constexpr int ViewW = 320;
constexpr int ViewH = 240;
// The view's clock runs this much faster: a transition of 3 s takes half a second, and the part
// between a fifth and four fifths of it is still some eighteen frames long.
constexpr double ViewTimeScale = 6;

class PageViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    Application.Initialize();
    TTestAccess::ResetTerminated();
    Host = CreateHostWindow(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, ViewW, ViewH);
    // The view 2 pixels beyond the host's corner: its client area starts at the host's corner.
    View = std::make_unique<TPageView>(Host, -2, -2, ViewW + 4, ViewH + 4);
    View->Show();
    TTestAccess::SetTimeScale(TTestAccess::Player(*View), ViewTimeScale);
    Ticker = SetTimer(nullptr, 0, 10, nullptr);  // messages for PumpUntil to wake up to
    PictureA = TempFile("jpg");
    CopyPictureFile(0, Written.back());  // 1024 x 768
    PictureB = TempFile("jpg");
    CopyPictureFile(19, Written.back());  // 576 x 768, the portrait
  }
  void TearDown() override {
    KillTimer(nullptr, Ticker);
    View.reset();
    DestroyWindow(Host);
    for (const std::wstring& file : Written) DeleteTempFiles(file, L"");
  }
  // A fresh file in the temporary directory, deleted after the test; the name a page gives it.
  std::string TempFile(const char* extension) { return PagePathOf(Written.emplace_back(MakeTempFile(extension))); }

  bool Animating() { return TTestAccess::Player(*View).Animating(); }
  bool Shows(const std::string& page) { return TTestAccess::CopyScreen(*View).Pixels == Expected(page).Pixels; }
  // Until a page is on screen with no transition running.
  bool Settled(const std::string& page) { return PumpUntil([&] { return !Animating() && Shows(page); }); }

  std::string PicturePage(const TExitTransition& exit, const std::string& picture, int pw, int ph) {
    return PicturePageText(exit, ViewW, ViewH, picture, ChooseFit(ViewW, ViewH, pw, ph));
  }

  // Writes a page under a new name each time (the view rereads whatever it is told to show).
  std::string Show(const std::string& text) {
    const std::string path = TempFile("htm");
    WritePageFile(Written.back(), text);
    View->Navigate(path);
    return path;
  }

  TFrame Expected(const std::string& path) { return RenderPage(ReadPageFile(path), View->ClientWidth(), View->ClientHeight()); }

  // The host's pixels as the screen shows them.
  TFrame Captured() { return CapturedClient(Host, ViewW, ViewH); }
  // What the view drew is what the screen shows (the view is 4 pixels wider and taller).
  void ExpectOnScreen() {
    const TFrame drawn = TTestAccess::CopyScreen(*View), seen = Captured();
    for (int y = 0; y < ViewH; ++y)
      for (int x = 0; x < ViewW; ++x) ASSERT_EQ(seen.Pixels[static_cast<size_t>(y) * ViewW + x], drawn.Row(y)[x]) << x << "," << y;
  }

  // With LUMI_SHOTS set, keeps what the screen shows as a pixmap there (for looking at it).
  void Keep(const char* name) {
    if (const char* dir = std::getenv("LUMI_SHOTS")) {
      const TFrame frame = Captured();
      WriteBytes(std::string(dir) + "\\" + name + ".ppm", PpmBytes(ViewW, ViewH, [&](size_t i) { return frame.Pixels[i]; }));
    }
  }

  static uint64_t Brightness(const TFrame& frame) {
    uint64_t sum = 0;
    for (uint32_t p : frame.Pixels) sum += (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF);
    return sum;
  }
  // How many pixels of the screen show only the old page, only the new one, or neither.
  struct TMix { size_t OnlyOld = 0, OnlyNew = 0, Neither = 0; };
  TMix Mix(const TFrame& oldFrame, const TFrame& newFrame) {
    const TFrame screen = TTestAccess::CopyScreen(*View);
    TMix mix;
    for (size_t i = 0; i < screen.Pixels.size(); ++i) {
      const bool isOld = screen.Pixels[i] == oldFrame.Pixels[i], isNew = screen.Pixels[i] == newFrame.Pixels[i];
      mix.OnlyOld += isOld && !isNew;
      mix.OnlyNew += isNew && !isOld;
      mix.Neither += !isOld && !isNew;
    }
    return mix;
  }

  HWND Host = nullptr;
  std::unique_ptr<TPageView> View;
  UINT_PTR Ticker = 0;
  std::string PictureA, PictureB;
  std::vector<std::wstring> Written;
};

TEST_F(PageViewTest, ThePagesOriginIsTheHostsCorner) {
  POINT viewOrigin = {0, 0}, hostOrigin = {0, 0};
  ClientToScreen(View->Handle(), &viewOrigin);
  ClientToScreen(Host, &hostOrigin);
  EXPECT_EQ(viewOrigin.x, hostOrigin.x);
  EXPECT_EQ(viewOrigin.y, hostOrigin.y);
  EXPECT_EQ(View->Left(), -2);
  EXPECT_EQ(View->Top(), -2);
  View->SetClientWidth(700);
  EXPECT_EQ(View->ClientWidth(), 700);
  EXPECT_EQ(View->Width(), 704);
  EXPECT_FALSE(GetWindowLongW(View->Handle(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(PageViewTest, TheFirstPageSimplyAppearsAndTheFadeMixesItWithTheNext) {
  const std::string page = Show(PicturePage(FadeExit, PictureA, 1024, 768));
  EXPECT_EQ(Brightness(TTestAccess::CopyScreen(*View)), 0u);  // navigation returns at once: nothing drawn yet
  ASSERT_TRUE(PumpUntil([&] { return Shows(page); }));
  EXPECT_FALSE(Animating());
  ExpectOnScreen();
  const std::string blank = Show(BlankPageText(FadeExit));
  // Frame by frame the picture darkens: there is a frame between a fifth and four fifths of it.
  const uint64_t start = Brightness(Expected(page));
  ASSERT_TRUE(PumpUntil([&] {
    const uint64_t now = Brightness(TTestAccess::CopyScreen(*View));
    return Animating() && now > start / 5 && now < start * 4 / 5;
  }));
  Keep("mid-fade");
  ExpectOnScreen();
  ASSERT_TRUE(Settled(blank));
}

TEST_F(PageViewTest, AWipeRightRevealsTheNewPageFromTheLeft) {
  std::string from = Show(PicturePage(RevealExit(6), PictureA, 1024, 768));
  ASSERT_TRUE(Settled(from));
  std::string to = Show(PicturePage(FadeExit, PictureB, 576, 768));
  TFrame oldFrame = Expected(from), newFrame = Expected(to), screen;
  const int width = oldFrame.Width;
  // Where row y of a frame stops showing the new page (and only the new page).
  auto edgeOf = [&](const TFrame& frame, int y) {
    int x = 0;
    while (x < width && frame.Row(y)[x] == newFrame.Row(y)[x] && frame.Row(y)[x] != oldFrame.Row(y)[x]) ++x;
    return x;
  };
  // A frame with the edge between a fifth and four fifths of the width.
  ASSERT_TRUE(PumpUntil([&] {
    screen = TTestAccess::CopyScreen(*View);
    return Animating() && edgeOf(screen, 0) > width / 5 && edgeOf(screen, 0) < width * 4 / 5;
  }));
  Keep("mid-wipe");
  // Every row shows the old page from row 0's edge on.
  const int edge = edgeOf(screen, 0);
  for (int y = 0; y < screen.Height; ++y)
    for (int rest = edge; rest < width; ++rest)
      ASSERT_EQ(screen.Row(y)[rest], oldFrame.Row(y)[rest]) << "row " << y << " column " << rest;
  ASSERT_TRUE(Settled(to));
}

TEST_F(PageViewTest, ANavigationDuringATransitionFinishesItAtOnce) {
  ASSERT_TRUE(Settled(Show(BlankPageText(FadeExit))));
  const std::string picture = Show(PicturePage(RevealExit(23), PictureA, 1024, 768));
  ASSERT_TRUE(PumpUntil([&] { return Animating(); }));
  const std::string last = Show(BlankPageText(RevealExit(99)));  // left with a cut whatever it says
  // The fade to the picture is cut short: the random reveal (23) then plays from the complete
  // picture to the blank page, so some frame holds only pixels of those two, and of both.
  const TFrame pictureFrame = Expected(picture), blankFrame = Expected(last);
  bool revealed = false;
  ASSERT_TRUE(PumpUntil([&] {
    const TMix mix = Mix(pictureFrame, blankFrame);
    revealed = revealed || (mix.Neither == 0 && mix.OnlyOld > 0 && mix.OnlyNew > 0);
    return !Animating() && mix.OnlyOld == 0 && mix.Neither == 0;
  }));
  EXPECT_TRUE(revealed);
  Show(PicturePage(FadeExit, PictureB, 576, 768));  // the blank page's exit tag is unreadable: a cut
  ASSERT_TRUE(PumpUntil([&] { return Shows(PagePathOf(Written.back())); }));
  EXPECT_FALSE(Animating());
}

TEST_F(PageViewTest, AMissingOrBrokenPageIsBlack) {
  TTestAccess::SetTimeScale(TTestAccess::Player(*View), 100);  // only the ends count here
  ASSERT_TRUE(Settled(Show(PicturePage(FadeExit, PictureA, 1024, 768))));
  View->Navigate("C:\\no\\such\\page.htm");  // faded to black
  EXPECT_TRUE(PumpUntil([&] { return !Animating() && Brightness(TTestAccess::CopyScreen(*View)) == 0; }));
  ASSERT_TRUE(Settled(Show(PicturePage(FadeExit, PictureA, 1024, 768))));
  Show(std::string("\x00\xff<html><img src=", 16));
  EXPECT_TRUE(PumpUntil([&] { return !Animating() && Brightness(TTestAccess::CopyScreen(*View)) == 0; }));
  ASSERT_TRUE(Settled(Show(PicturePage(FadeExit, PictureA, 1024, 768))));
  Show(PicturePage(FadeExit, "\\??\\UNC\\127.0.0.1\\share\\x.jpg", 1024, 768));  // never opened
  EXPECT_TRUE(PumpUntil([&] { return !Animating() && Brightness(TTestAccess::CopyScreen(*View)) == 0; }));
  Keep("refused-path");
}

// A surface the system refuses on a change of size: black, not a corner of the old one, until the
// next page makes one; nothing reaches the error report.
TEST_F(PageViewTest, WithoutASurfaceTheViewIsBlackUntilTheNextPage) {
  int errors = 0;
  Application.OnException = [&](const std::exception&) { ++errors; };
  ASSERT_TRUE(Settled(Show(PicturePage(FadeExit, PictureA, 1024, 768))));
  TTestAccess::RefuseSurfaces(1);
  View->SetClientWidth(ViewW + 10);
  EXPECT_TRUE(ShowsBlack(Host));
  EXPECT_TRUE(Settled(Show(PicturePage(FadeExit, PictureB, 576, 768))));
  Application.OnException = nullptr;
  EXPECT_EQ(errors, 0);
}

// Mid-reveal, every pixel shows either page and both show; afterwards only the new page does.
TEST_F(PageViewTest, RevealsShowOnlyPixelsOfEitherPage) {
  // A quarter of a second still holds some fifteen frames.
  TTestAccess::SetTimeScale(TTestAccess::Player(*View), 2 * ViewTimeScale);
  for (int k : {0, 3, 10, 12, 17, 21}) {
    SCOPED_TRACE("pattern " + std::to_string(k));
    std::string from = Show(PicturePage(RevealExit(k), PictureA, 1024, 768));
    ASSERT_TRUE(Settled(from));
    // Left with a cut, so that the next round's first page appears at once.
    std::string to = Show(PicturePage(RevealExit(99), PictureB, 576, 768));
    const TFrame oldFrame = Expected(from), newFrame = Expected(to);
    size_t neither = 0;
    bool both = false;
    ASSERT_TRUE(PumpUntil([&] {
      const TMix mix = Mix(oldFrame, newFrame);
      neither += mix.Neither;
      both = both || (mix.OnlyOld > 0 && mix.OnlyNew > 0);
      return !Animating() && mix.OnlyOld == 0;
    }));
    EXPECT_EQ(neither, 0u);
    EXPECT_TRUE(both);
    EXPECT_EQ(TTestAccess::CopyScreen(*View).Pixels, newFrame.Pixels);
  }
}

}  // namespace
