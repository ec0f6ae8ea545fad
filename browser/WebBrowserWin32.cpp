// The page view's window: navigation on the message loop, drawing into a DIB section, and
// transitions paced to the display.
#include "browser/WebBrowserWin32.h"

#include <dwmapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "base/WindowBoundsWin32.h"
#include "base/WindowClassWin32.h"
#include "browser/PageRender.h"

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002  // Windows 10 1803 and later; else refused
#endif

constexpr UINT WM_NAVIGATE = WM_APP + 1;  // takes the oldest path of FNavigations
constexpr const wchar_t* ClassName = L"TWebBrowser";

uint64_t SessionSeed() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<uint64_t>(counter.QuadPart) ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 32);
}

bool DisplayComposes() {
  BOOL enabled = FALSE;
  return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

}  // namespace

TWebBrowser::TWebBrowser(HWND parent, int left, int top, int width, int height) : FRandom(SessionSeed()) {
  RegisterWindowClass(ClassName, &TWebBrowser::WindowProc);
  QueryPerformanceFrequency(&FFrequency);
  int refresh = GetDeviceCaps(TWindowDC(nullptr).Get(), VREFRESH);
  if (refresh >= 24 && refresh <= 500) FFrameSeconds = 1.0 / refresh;
  FDisplayPaces = DisplayComposes();
  if (!FDisplayPaces) {
    FFrameTimer.Reset(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
    if (!FFrameTimer) {
      // Before Windows 10 1803 an ordinary timer, whose resolution is raised during transitions.
      FFrameTimer.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
      FCoarseTimer = true;
    }
  }
  // The sunken client edge keeps the page's origin at the client area's top-left corner, as
  // placed by the saver window (2 pixels inside the control's own corner).
  FHandle = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, ClassName, L"",
                            WS_CHILD | WS_CLIPSIBLINGS, left, top, width, height, parent,
                            nullptr, GetModuleHandleW(nullptr), this);
  // Without a window (the parent went away) the view stays empty: nothing to draw into or on.
  if (FHandle == nullptr) return;
  RECT client = {};
  GetClientRect(FHandle, &client);
  Resize(client.right, client.bottom);
  Application.AddFrameClient(this);
}

TWebBrowser::~TWebBrowser() {
  Application.RemoveFrameClient(this);
  RaiseTimerResolution(false);
  if (FHandle != nullptr) {
    UnbindWindowObject(FHandle);
    DestroyWindow(FHandle);
  }
}

LRESULT CALLBACK TWebBrowser::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DispatchToWindowObject(hwnd, msg, wParam, lParam, &TWebBrowser::FHandle, &TWebBrowser::HandleMessage);
}

LRESULT TWebBrowser::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NAVIGATE: {
      if (FNavigations.empty()) return 0;
      const std::string path = std::move(FNavigations.front());
      FNavigations.pop_front();
      ShowPage(path);
      return 0;
    }
    case WM_SIZE:
      Resize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything; erasing first would flash
    case WM_PAINT: {
      TPaintDC paint(FHandle);
      const RECT& r = paint.Area();
      BitBlt(paint.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, FMemoryDC.Get(), r.left, r.top, SRCCOPY);
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks and movement belong to the window that hosts the view
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SETFOCUS:
      SetFocus(GetParent(FHandle));
      return 0;
    case WM_GETDLGCODE:
      return 0;
    case WM_NCDESTROY:
      UnbindWindowObject(FHandle);
      FHandle = nullptr;
      EndTransition();
      return 0;
    default:
      return DefWindowProcW(FHandle, msg, wParam, lParam);
  }
}

void TWebBrowser::Navigate(const std::string& path) {
  if (FHandle == nullptr) return;
  FNavigations.push_back(path);
  if (!PostMessageW(FHandle, WM_NAVIGATE, 0, 0)) FNavigations.pop_back();
}

void TWebBrowser::ShowPage(const std::string& path) {
  FinishTransition();
  TPage page = ReadPageFile(path);
  TFrame next = RenderPage(page, FScreenWidth, FScreenHeight);
  if (next.Width != FScreenWidth || next.Height != FScreenHeight) next = TFrame(FScreenWidth, FScreenHeight);

  std::optional<TPageExit> exit;
  if (FPage && FPage->Exit.Kind != TExitKind::None) exit = FPage->Exit;
  const TPage leaving = FPage.value_or(TPage{});
  FPage = std::move(page);
  if (!exit || FBits == nullptr) {
    if (FBits != nullptr) std::memcpy(FBits, next.Pixels.data(), next.Pixels.size() * sizeof(uint32_t));
    Present(0, 0, FScreenWidth, FScreenHeight);
    return;
  }
  // The transition plays over the cell the page shows; whatever lies beyond it is the next
  // page's at once.
  FArea = TransitionArea(leaving, *FPage, FScreenWidth, FScreenHeight);
  FFrom = TFrame(FArea.Width, FArea.Height);
  FTo = TFrame(FArea.Width, FArea.Height);
  for (int32_t y = 0; y < FScreenHeight; ++y) {
    uint32_t* screenRow = FBits + static_cast<size_t>(y) * FScreenWidth;
    const uint32_t* nextRow = next.Row(y);
    if (y < FArea.Height) {
      std::memcpy(FFrom.Row(y), screenRow, static_cast<size_t>(FArea.Width) * 4);
      std::memcpy(FTo.Row(y), nextRow, static_cast<size_t>(FArea.Width) * 4);
      std::memcpy(screenRow + FArea.Width, nextRow + FArea.Width, static_cast<size_t>(FScreenWidth - FArea.Width) * 4);
    } else {
      std::memcpy(screenRow, nextRow, static_cast<size_t>(FScreenWidth) * 4);
    }
  }
  if (FArea.Width < FScreenWidth) Present(FArea.Width, 0, FScreenWidth, FScreenHeight);
  if (FArea.Height < FScreenHeight) Present(0, FArea.Height, FArea.Width, FScreenHeight);
  TTransitionKind kind = exit->Kind == TExitKind::Fade ? TTransitionKind::Fade : TTransitionKind::Reveal;
  FTransition.emplace(kind, exit->Pattern, FRandom.Next(), FFrom, FTo);
  FDurationSeconds = exit->DurationSeconds;
  QueryPerformanceCounter(&FStart);
  if (!FDisplayPaces && !FFrameTimer) {
    FinishTransition();  // nothing could pace the frames: show the new page at once
    return;
  }
  RaiseTimerResolution(true);
  ScheduleFrame();
}

HANDLE TWebBrowser::FrameDueEvent() const { return FDisplayPaces ? nullptr : FFrameTimer.Get(); }

void TWebBrowser::ScheduleFrame() {
  if (FDisplayPaces || !FFrameTimer) return;
  // Frames are due a whole number of frame times after the transition's start, so the time a
  // frame takes to draw does not lengthen the period: a large screen fades as smoothly as a
  // small one as long as a frame takes less than a frame time.
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const double elapsed = static_cast<double>(now.QuadPart - FStart.QuadPart) / static_cast<double>(FFrequency.QuadPart);
  const double wait = FFrameSeconds - std::fmod(std::max(elapsed, 0.0), FFrameSeconds);
  LARGE_INTEGER due;
  due.QuadPart = -std::max<LONGLONG>(1, static_cast<LONGLONG>(wait * 1e7));  // relative, in 100 ns units
  SetWaitableTimer(FFrameTimer.Get(), &due, 0, nullptr, nullptr, FALSE);
}

void TWebBrowser::NextFrame() {
  if (!FTransition) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  double elapsed = FTimeScale * static_cast<double>(now.QuadPart - FStart.QuadPart) / static_cast<double>(FFrequency.QuadPart);
  double p = FDurationSeconds > 0 ? elapsed / FDurationSeconds : 1.0;
  TDirtyRect changed = FTransition->Step(std::min(p, 1.0), AreaTarget());
  if (!changed.Empty()) Present(changed.Left, changed.Top, changed.Right, changed.Bottom);
  if (FTransition->Finished()) {
    EndTransition();
    return;
  }
  if (FDisplayPaces) {
    if (FAILED(DwmFlush())) {  // composition went away: pace with the timer from now on
      FDisplayPaces = false;
      FFrameTimer.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
      FCoarseTimer = true;
      RaiseTimerResolution(true);
    }
  }
  ScheduleFrame();
}

void TWebBrowser::FinishTransition() {
  if (!FTransition) return;
  TDirtyRect changed = FTransition->Finish(AreaTarget());
  if (!changed.Empty()) Present(changed.Left, changed.Top, changed.Right, changed.Bottom);
  EndTransition();
}

void TWebBrowser::EndTransition() {
  FTransition.reset();
  FFrom = TFrame();  // between transitions the view holds nothing but the frame on screen
  FTo = TFrame();
  RaiseTimerResolution(false);
}

void TWebBrowser::RaiseTimerResolution(bool raise) {
  if (!FCoarseTimer || raise == FResolutionRaised) return;
  if (raise)
    timeBeginPeriod(1);
  else
    timeEndPeriod(1);
  FResolutionRaised = raise;
}

void TWebBrowser::Resize(int clientWidth, int clientHeight) {
  if (clientWidth == FScreenWidth && clientHeight == FScreenHeight && FBits != nullptr) return;
  FinishTransition();
  clientWidth = std::max(clientWidth, 1);
  clientHeight = std::max(clientHeight, 1);
  TDibSection dib = CreateTopDownDib(clientWidth, clientHeight);
  if (!dib.Bitmap) return;  // keep the old surface: the view shows less than it could, but shows
  uint32_t* newBits = dib.Bits;
  // Keep what is shown where the two sizes overlap; the rest is the page's black.
  std::fill(newBits, newBits + static_cast<size_t>(clientWidth) * clientHeight, 0xFF000000u);
  if (FBits != nullptr) {
    int w = std::min(clientWidth, FScreenWidth);
    int h = std::min(clientHeight, FScreenHeight);
    for (int y = 0; y < h; ++y)
      std::memcpy(newBits + static_cast<size_t>(y) * clientWidth, FBits + static_cast<size_t>(y) * FScreenWidth,
                  static_cast<size_t>(w) * sizeof(uint32_t));
  }
  if (!FMemoryDC) FMemoryDC.Reset(CreateCompatibleDC(nullptr));
  FSelected.reset();  // the old bitmap leaves the DC before it goes
  FSelected.emplace(FMemoryDC.Get(), dib.Bitmap.Get());
  FBitmap = std::move(dib.Bitmap);
  FBits = newBits;
  FScreenWidth = clientWidth;
  FScreenHeight = clientHeight;
  InvalidateRect(FHandle, nullptr, FALSE);
}

void TWebBrowser::Present(int left, int top, int right, int bottom) {
  if (FHandle == nullptr || FBits == nullptr) return;
  GdiFlush();
  BitBlt(TWindowDC(FHandle).Get(), left, top, right - left, bottom - top, FMemoryDC.Get(), left, top, SRCCOPY);
}

TFrame TWebBrowser::CopyScreen() const {
  TFrame copy(FScreenWidth, FScreenHeight);
  if (FBits != nullptr) std::memcpy(copy.Pixels.data(), FBits, copy.Pixels.size() * sizeof(uint32_t));
  return copy;
}

void TWebBrowser::SetLeft(int left) { PlaceWindow(FHandle, left, Top(), Width(), Height()); }
void TWebBrowser::SetTop(int top) { PlaceWindow(FHandle, Left(), top, Width(), Height()); }
void TWebBrowser::SetWidth(int width) { PlaceWindow(FHandle, Left(), Top(), width, Height()); }
void TWebBrowser::SetHeight(int height) { PlaceWindow(FHandle, Left(), Top(), Width(), height); }
void TWebBrowser::SetClientWidth(int clientWidth) { SetWidth(Width() - ClientWidth() + clientWidth); }
void TWebBrowser::Show() { ShowWindow(FHandle, SW_SHOWNA); }
