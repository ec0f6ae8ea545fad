// The page view as a window under the real message loop: placement, navigation, the fade and a
// reveal played over time, a navigation that cuts a transition short, and what reaches the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "base/ApplicationWin32.h"
#include "browser/PageRender.h"
#include "browser/WebBrowserWin32.h"
#include "session/PageText.h"
#include "session/TempFiles.h"

namespace {

constexpr int W = 320;
constexpr int H = 240;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WebBrowserTest : public ::testing::Test {
protected:
  void SetUp() override {
    Application.Initialize();
    Application.ResetTerminated();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ViewHost";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassW(&wc);
    Host = CreateWindowExW(WS_EX_TOPMOST, L"ViewHost", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, W, H,
                           nullptr, nullptr, wc.hInstance, nullptr);
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

  void Pump(DWORD ms) {
    DWORD until = GetTickCount() + ms;
    while (GetTickCount() < until) Application.HandleMessage();
  }

  std::string PicturePage(const std::string& meta, const std::string& picture, int pw, int ph) {
    return PicturePageText(meta, W, H, picture, FitAttribute(W, H, pw, ph));
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

  // With LUMI_SHOTS set, keeps what the screen shows as a BMP file there (for looking at it).
  void Keep(const char* name) {
    const char* dir = std::getenv("LUMI_SHOTS");
    if (dir == nullptr) return;
    TFrame frame = Captured();
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD bytes = static_cast<DWORD>(frame.Pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    std::string path = std::string(dir) + "\\" + name + ".bmp";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, &file, sizeof file, &written, nullptr);
    WriteFile(h, &info, sizeof info, &written, nullptr);
    WriteFile(h, frame.Pixels.data(), bytes, &written, nullptr);
    CloseHandle(h);
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

const std::string FadeTag = "<meta http-equiv=Page-Exit content=blendTrans(Duration=3)>";
std::string RevealTag(int k) {
  return "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=" + std::to_string(k) + ")>";
}

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
  std::string page = Show(PicturePage(FadeTag, PictureA, 1024, 768));
  EXPECT_EQ(Brightness(View->CopyScreen()), 0u);  // nothing drawn before the loop runs
  Pump(100);
  EXPECT_FALSE(View->Animating());
  EXPECT_EQ(View->CopyScreen().Pixels, Expected(page).Pixels);
  EXPECT_EQ(Captured().Pixels, Crop(View->CopyScreen()).Pixels);
}

TEST_F(WebBrowserTest, TheFadeMixesBothPagesAndEndsOnTheNewOne) {
  Show(BlankPageText(FadeTag));
  Pump(100);
  std::string page = Show(PicturePage(FadeTag, PictureA, 1024, 768));
  Pump(1500);
  ASSERT_TRUE(View->Animating());
  uint64_t final = Brightness(Expected(page));
  uint64_t middle = Brightness(View->CopyScreen());
  EXPECT_GT(middle, final / 5);
  EXPECT_LT(middle, final * 4 / 5);
  Keep("mid-fade");
  EXPECT_EQ(Captured().Pixels, Crop(View->CopyScreen()).Pixels);  // what is drawn is on screen
  Pump(2000);
  EXPECT_FALSE(View->Animating());
  EXPECT_EQ(View->CopyScreen().Pixels, Expected(page).Pixels);
}

TEST_F(WebBrowserTest, AWipeRightRevealsTheNewPageFromTheLeft) {
  std::string from = Show(PicturePage(RevealTag(6), PictureA, 1024, 768));
  Pump(100);
  std::string to = Show(PicturePage(FadeTag, PictureB, 576, 768));
  Pump(1500);
  ASSERT_TRUE(View->Animating());
  Keep("mid-wipe");
  TFrame oldFrame = Expected(from), newFrame = Expected(to), screen = View->CopyScreen();
  int width = screen.Width;
  // Every row: the new page up to one column, the old page after it, the same column in all rows.
  int edge = -1;
  for (int y = 0; y < screen.Height; ++y) {
    int x = 0;
    while (x < width && screen.Row(y)[x] == newFrame.Row(y)[x] && screen.Row(y)[x] != oldFrame.Row(y)[x]) ++x;
    if (y == 0) edge = x;
    for (int rest = edge; rest < width; ++rest)
      ASSERT_EQ(screen.Row(y)[rest], oldFrame.Row(y)[rest]) << "row " << y << " column " << rest;
  }
  EXPECT_GT(edge, width / 5);
  EXPECT_LT(edge, width * 4 / 5);
  Pump(2000);
  EXPECT_EQ(View->CopyScreen().Pixels, newFrame.Pixels);
}

TEST_F(WebBrowserTest, ANavigationDuringATransitionFinishesItAtOnce) {
  Show(BlankPageText(FadeTag));
  Pump(100);
  Show(PicturePage(RevealTag(23), PictureA, 1024, 768));
  Pump(500);
  ASSERT_TRUE(View->Animating());
  std::string last = Show(BlankPageText(RevealTag(99)));  // left with a cut whatever it says
  Pump(200);
  // The random reveal (23) now plays from the picture page, completed, to the blank page.
  ASSERT_TRUE(View->Animating());
  Pump(3200);
  EXPECT_FALSE(View->Animating());
  EXPECT_EQ(Brightness(View->CopyScreen()), 0u);
  Show(PicturePage(FadeTag, PictureB, 576, 768));  // the blank page's exit tag is unreadable: a cut
  Pump(100);
  EXPECT_FALSE(View->Animating());
  EXPECT_EQ(View->CopyScreen().Pixels, Expected(Written.back()).Pixels);
}

TEST_F(WebBrowserTest, AMissingOrBrokenPageIsBlack) {
  Show(PicturePage(FadeTag, PictureA, 1024, 768));
  Pump(100);
  View->Navigate("C:\\no\\such\\page.htm");
  Pump(3300);
  EXPECT_EQ(Brightness(View->CopyScreen()), 0u);
  Show(std::string("\x00\xff<html><img src=", 16));
  Pump(100);
  EXPECT_EQ(Brightness(View->CopyScreen()), 0u);
}

}  // namespace

namespace {

// Mid-reveal, every pixel shows either page and both show; afterwards only the new page does.
TEST_F(WebBrowserTest, RevealsShowOnlyPixelsOfEitherPage) {
  for (int k : {0, 3, 10, 12, 17, 21}) {
    SCOPED_TRACE("pattern " + std::to_string(k));
    // One-second transitions keep this quick; the view plays whatever duration the tag names.
    std::string tag = "<meta http-equiv=Page-Exit content=revealTrans(Duration=1,transition=" + std::to_string(k) + ")>";
    std::string from = Show(PicturePage(tag, PictureA, 1024, 768));
    Pump(1100);
    std::string to = Show(PicturePage(tag, PictureB, 576, 768));
    Pump(500);
    ASSERT_TRUE(View->Animating());
    TFrame oldFrame = Expected(from), newFrame = Expected(to), screen = View->CopyScreen();
    size_t fromOld = 0, fromNew = 0, neither = 0;
    for (size_t i = 0; i < screen.Pixels.size(); ++i) {
      bool isOld = screen.Pixels[i] == oldFrame.Pixels[i], isNew = screen.Pixels[i] == newFrame.Pixels[i];
      if (isOld && !isNew) ++fromOld;
      if (isNew && !isOld) ++fromNew;
      if (!isOld && !isNew) ++neither;
    }
    EXPECT_EQ(neither, 0u);
    EXPECT_GT(fromOld, 0u);
    EXPECT_GT(fromNew, 0u);
    Pump(700);
    EXPECT_EQ(View->CopyScreen().Pixels, newFrame.Pixels);
  }
}

}  // namespace
