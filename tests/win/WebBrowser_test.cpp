// The page view as a window under the real message loop: placement, navigation, the fade and a
// reveal played over time, a navigation that cuts a transition short, and what reaches the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "base/ApplicationWin32.h"
#include "pageview/PageRender.h"
#include "pageview/WebBrowserWin32.h"
#include "session/PageText.h"
#include "session/TempFiles.h"
#include "tests/support/PageTags.h"
#include "tests/support/Ppm.h"
#include "tests/support/TestWindows.h"

namespace {

constexpr int W = 320;
constexpr int H = 240;

class WebBrowserTest : public ::testing::Test {
protected:
  void SetUp() override {
    Application.Initialize();
    Application.ResetTerminated();
    Host = CreateHostWindow(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, W, H);
    // The view 2 pixels beyond the host's corner: its client area starts at the host's corner.
    View = std::make_unique<TWebBrowser>(Host, -2, -2, W + 4, H + 4);
    View->Show();
    Ticker = SetTimer(nullptr, 0, 10, nullptr);
    PageFile = MakeTempFileName("htm");
    PictureA = MakeTempFileName("jpg");
    PictureB = MakeTempFileName("jpg");
    CopyPictureFile(0, PictureA);   // 1024 x 768
    CopyPictureFile(19, PictureB);  // 576 x 768, the portrait
  }
  void TearDown() override {
    KillTimer(nullptr, Ticker);
    View.reset();
    DestroyWindow(Host);
    DeleteTempFiles(PageFile, PictureA);
    DeleteTempFiles("", PictureB);
  }

  // Runs the message loop (frames included) until condition holds; false when it still does not
  // after 10 s, far beyond any transition here, so a loaded machine only makes it slower.
  template <class TCondition>
  bool PumpUntil(TCondition condition) {
    const DWORD start = GetTickCount();
    while (!condition())
      if (GetTickCount() - start > 10000) return false;
      else Application.HandleMessage();
    return true;
  }
  bool Shows(const std::string& page) { return View->CopyScreen().Pixels == Expected(page).Pixels; }
  // Until a transition has started, and until it has ended.
  bool Started() { return PumpUntil([&] { return View->Player().Animating(); }); }
  bool Ended() { return PumpUntil([&] { return !View->Player().Animating(); }); }

  std::string PicturePage(const TExitTransition& exit, const std::string& picture, int pw, int ph) {
    return PicturePageText(exit, W, H, picture, ChooseFit(W, H, pw, ph));
  }

  // Writes a page under a new name each time (the view rereads whatever it is told to show).
  std::string Show(const std::string& text) {
    std::string path = MakeTempFileName("htm");
    WritePageFile(path, text);
    Written.push_back(path);
    View->Navigate(path);
    return path;
  }

  TFrame Expected(const std::string& path) { return RenderPage(ReadPageFile(path), View->ClientWidth(), View->ClientHeight()); }

  // The host's pixels as the screen shows them.
  TFrame Captured() {
    TFrame frame(W, H);
    HDC screen = GetDC(Host);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, W, H, screen, 0, 0, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < frame.Pixels.size(); ++i) frame.Pixels[i] = static_cast<uint32_t*>(bits)[i] | 0xFF000000u;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(Host, screen);
    return frame;
  }

  // With LUMI_SHOTS set, keeps what the screen shows as a pixmap there (for looking at it).
  void Keep(const char* name) {
    if (const char* dir = std::getenv("LUMI_SHOTS")) {
      const TFrame frame = Captured();
      WriteBytes(std::string(dir) + "\\" + name + ".ppm", PpmBytes(W, H, [&](size_t i) { return frame.Pixels[i]; }));
    }
  }

  static TFrame Crop(const TFrame& frame) {
    TFrame out(W, H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) out.Pixels[static_cast<size_t>(y) * W + x] = frame.Row(y)[x];
    return out;
  }

  static uint64_t Brightness(const TFrame& frame) {
    uint64_t sum = 0;
    for (uint32_t p : frame.Pixels) sum += (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF);
    return sum;
  }

  HWND Host = nullptr;
  std::unique_ptr<TWebBrowser> View;
  UINT_PTR Ticker = 0;
  std::string PageFile, PictureA, PictureB;
  std::vector<std::string> Written;
};

TEST_F(WebBrowserTest, ThePagesOriginIsTheHostsCorner) {
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

TEST_F(WebBrowserTest, NavigationReturnsAtOnceAndTheFirstPageSimplyAppears) {
  std::string page = Show(PicturePage(FadeExit, PictureA, 1024, 768));
  EXPECT_EQ(Brightness(View->CopyScreen()), 0u);  // nothing drawn before the loop runs
  ASSERT_TRUE(PumpUntil([&] { return Shows(page); }));
  EXPECT_FALSE(View->Player().Animating());
  EXPECT_EQ(Captured().Pixels, Crop(View->CopyScreen()).Pixels);
}

TEST_F(WebBrowserTest, TheFadeMixesBothPagesAndEndsOnTheNewOne) {
  const std::string blank = Show(BlankPageText(FadeExit));
  ASSERT_TRUE(PumpUntil([&] { return Shows(blank); }));
  std::string page = Show(PicturePage(FadeExit, PictureA, 1024, 768));
  // Frame by frame the picture brightens: there is a frame between a fifth and four fifths of it.
  const uint64_t final = Brightness(Expected(page));
  ASSERT_TRUE(PumpUntil([&] {
    const uint64_t now = Brightness(View->CopyScreen());
    return View->Player().Animating() && now > final / 5 && now < final * 4 / 5;
  }));
  Keep("mid-fade");
  EXPECT_EQ(Captured().Pixels, Crop(View->CopyScreen()).Pixels);  // what is drawn is on screen
  ASSERT_TRUE(Ended());
  EXPECT_EQ(View->CopyScreen().Pixels, Expected(page).Pixels);
}

TEST_F(WebBrowserTest, AWipeRightRevealsTheNewPageFromTheLeft) {
  std::string from = Show(PicturePage(RevealExit(6), PictureA, 1024, 768));
  ASSERT_TRUE(PumpUntil([&] { return Shows(from); }));
  std::string to = Show(PicturePage(FadeExit, PictureB, 576, 768));
  TFrame oldFrame = Expected(from), newFrame = Expected(to), screen;
  const int width = oldFrame.Width;
  // A frame with the edge between a fifth and four fifths of the width (row 0 tells where).
  auto edgeOf = [&](const TFrame& frame) {
    int x = 0;
    while (x < width && frame.Row(0)[x] == newFrame.Row(0)[x] && frame.Row(0)[x] != oldFrame.Row(0)[x]) ++x;
    return x;
  };
  ASSERT_TRUE(PumpUntil([&] {
    screen = View->CopyScreen();
    return View->Player().Animating() && edgeOf(screen) > width / 5 && edgeOf(screen) < width * 4 / 5;
  }));
  Keep("mid-wipe");
  // Every row: the new page up to one column, the old page after it, the same column in all rows.
  int edge = -1;
  for (int y = 0; y < screen.Height; ++y) {
    int x = 0;
    while (x < width && screen.Row(y)[x] == newFrame.Row(y)[x] && screen.Row(y)[x] != oldFrame.Row(y)[x]) ++x;
    if (y == 0) edge = x;
    for (int rest = edge; rest < width; ++rest)
      ASSERT_EQ(screen.Row(y)[rest], oldFrame.Row(y)[rest]) << "row " << y << " column " << rest;
  }
  ASSERT_TRUE(Ended());
  EXPECT_EQ(View->CopyScreen().Pixels, newFrame.Pixels);
}

TEST_F(WebBrowserTest, ANavigationDuringATransitionFinishesItAtOnce) {
  const std::string blank = Show(BlankPageText(FadeExit));
  ASSERT_TRUE(PumpUntil([&] { return Shows(blank); }));
  const std::string picture = Show(PicturePage(RevealExit(23), PictureA, 1024, 768));
  ASSERT_TRUE(Started());
  const std::string last = Show(BlankPageText(RevealExit(99)));  // left with a cut whatever it says
  // The fade to the picture is cut short: the random reveal (23) then plays from the complete
  // picture to the blank page, so some frame holds only pixels of those two, and of both.
  const TFrame pictureFrame = Expected(picture), blankFrame = Expected(last);
  bool revealed = false;
  ASSERT_TRUE(PumpUntil([&] {
    const TFrame screen = View->CopyScreen();
    size_t fromPicture = 0, fromBlank = 0, other = 0;
    for (size_t i = 0; i < screen.Pixels.size(); ++i) {
      const bool isPicture = screen.Pixels[i] == pictureFrame.Pixels[i], isBlank = screen.Pixels[i] == blankFrame.Pixels[i];
      fromPicture += isPicture && !isBlank;
      fromBlank += isBlank && !isPicture;
      other += !isPicture && !isBlank;
    }
    revealed = revealed || (other == 0 && fromPicture > 0 && fromBlank > 0);
    return !View->Player().Animating() && fromPicture == 0 && other == 0;
  }));
  EXPECT_TRUE(revealed);
  Show(PicturePage(FadeExit, PictureB, 576, 768));  // the blank page's exit tag is unreadable: a cut
  ASSERT_TRUE(PumpUntil([&] { return Shows(Written.back()); }));
  EXPECT_FALSE(View->Player().Animating());
}

TEST_F(WebBrowserTest, AMissingOrBrokenPageIsBlack) {
  const std::string page = Show(PicturePage(FadeExit, PictureA, 1024, 768));
  ASSERT_TRUE(PumpUntil([&] { return Shows(page); }));
  View->Navigate("C:\\no\\such\\page.htm");  // faded to black
  EXPECT_TRUE(PumpUntil([&] { return !View->Player().Animating() && Brightness(View->CopyScreen()) == 0; }));
  Show(PicturePage(FadeExit, PictureA, 1024, 768));
  ASSERT_TRUE(PumpUntil([&] { return Shows(Written.back()); }));
  Show(std::string("\x00\xff<html><img src=", 16));
  EXPECT_TRUE(PumpUntil([&] { return !View->Player().Animating() && Brightness(View->CopyScreen()) == 0; }));
}

}  // namespace

namespace {

// Mid-reveal, every pixel shows either page and both show; afterwards only the new page does.
TEST_F(WebBrowserTest, RevealsShowOnlyPixelsOfEitherPage) {
  for (int k : {0, 3, 10, 12, 17, 21}) {
    SCOPED_TRACE("pattern " + std::to_string(k));
    // One-second transitions keep this quick; the view plays whatever duration the tag names.
    const TExitTransition tag{TTransitionKind::Reveal, k, 1.0};
    std::string from = Show(PicturePage(tag, PictureA, 1024, 768));
    ASSERT_TRUE(PumpUntil([&] { return !View->Player().Animating() && Shows(from); }));
    std::string to = Show(PicturePage(tag, PictureB, 576, 768));
    TFrame oldFrame = Expected(from), newFrame = Expected(to);
    // Every frame shows only pixels of either page, and some frame shows both.
    size_t neither = 0;
    bool both = false;
    ASSERT_TRUE(PumpUntil([&] {
      const TFrame screen = View->CopyScreen();
      size_t fromOld = 0, fromNew = 0;
      for (size_t i = 0; i < screen.Pixels.size(); ++i) {
        const bool isOld = screen.Pixels[i] == oldFrame.Pixels[i], isNew = screen.Pixels[i] == newFrame.Pixels[i];
        fromOld += isOld && !isNew;
        fromNew += isNew && !isOld;
        neither += !isOld && !isNew;
      }
      both = both || (fromOld > 0 && fromNew > 0);
      return !View->Player().Animating() && fromOld == 0;
    }));
    EXPECT_EQ(neither, 0u);
    EXPECT_TRUE(both);
    EXPECT_EQ(View->CopyScreen().Pixels, newFrame.Pixels);
  }
}

}  // namespace
