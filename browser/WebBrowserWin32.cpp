// The page view's window: navigation on the message loop, drawing into a DIB section, and
// transitions paced to the display.
#include "browser/WebBrowser.h"

#include <dwmapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "base/WindowBounds.h"
#include "browser/PageRender.h"

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002  // Windows 10 1803 and later; else refused
#endif

constexpr UINT WM_NAVIGATE = WM_APP + 1;  // lParam: a std::string* with the path, owned by the message
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
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance, ClassName, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TWebBrowser::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = ClassName;
    RegisterClassExW(&wc);
  }
  QueryPerformanceFrequency(&FFrequency);
  HDC screen = GetDC(nullptr);
  int refresh = GetDeviceCaps(screen, VREFRESH);
  ReleaseDC(nullptr, screen);
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
                            nullptr, instance, this);
  RECT client = {};
  GetClientRect(FHandle, &client);
  Resize(client.right, client.bottom);
  Application.SetFrameClient(this);
}

TWebBrowser::~TWebBrowser() {
  if (Application.FrameClient() == this) Application.SetFrameClient(nullptr);
  RaiseTimerResolution(false);
  if (FOldBitmap != nullptr) SelectObject(FMemoryDC.Get(), FOldBitmap);
  if (FHandle != nullptr) {
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
  }
}

LRESULT CALLBACK TWebBrowser::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* view = static_cast<TWebBrowser*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    view->FHandle = hwnd;
  }
  auto* view = reinterpret_cast<TWebBrowser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (view == nullptr) {
    if (msg == WM_NAVIGATE) delete reinterpret_cast<std::string*>(lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return view->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    Application.HandleCurrentException();
    return 0;
  }
}

LRESULT TWebBrowser::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NAVIGATE: {
      std::unique_ptr<std::string> path(reinterpret_cast<std::string*>(lParam));
      ShowPage(*path);
      return 0;
    }
    case WM_SIZE:
      Resize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything; erasing first would flash
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(FHandle, &ps);
      RECT& r = ps.rcPaint;
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, FMemoryDC.Get(), r.left, r.top, SRCCOPY);
      EndPaint(FHandle, &ps);
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
      SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
      FHandle = nullptr;
      EndTransition();
      return 0;
    default:
      return DefWindowProcW(FHandle, msg, wParam, lParam);
  }
}

void TWebBrowser::Navigate(const std::string& path) {
  if (FHandle == nullptr) return;
  auto* owned = new std::string(path);
  if (!PostMessageW(FHandle, WM_NAVIGATE, 0, reinterpret_cast<LPARAM>(owned))) delete owned;
}

void TWebBrowser::ShowPage(const std::string& path) {
  FinishTransition();
  TPage page = ReadPageFile(path);
  TFrame next = RenderPage(page, FScreenWidth, FScreenHeight);
  if (next.Width != FScreenWidth || next.Height != FScreenHeight) next = TFrame(FScreenWidth, FScreenHeight);

  std::optional<TPageExit> exit;
  if (FPage && FPage->Exit.Kind != TExitKind::None) exit = FPage->Exit;
  FPage = std::move(page);
  if (!exit || FBits == nullptr) {
    if (FBits != nullptr) std::memcpy(FBits, next.Pixels.data(), next.Pixels.size() * sizeof(uint32_t));
    Present(0, 0, FScreenWidth, FScreenHeight);
    return;
  }
  FFrom = TFrame(FScreenWidth, FScreenHeight);
  std::memcpy(FFrom.Pixels.data(), FBits, FFrom.Pixels.size() * sizeof(uint32_t));
  FTo = std::move(next);
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
  double elapsed = static_cast<double>(now.QuadPart - FStart.QuadPart) / static_cast<double>(FFrequency.QuadPart);
  double p = FDurationSeconds > 0 ? elapsed / FDurationSeconds : 1.0;
  TDirtyRect changed = FTransition->Step(std::min(p, 1.0), ScreenTarget());
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
  TDirtyRect changed = FTransition->Finish(ScreenTarget());
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
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = clientWidth;
  info.bmiHeader.biHeight = -clientHeight;  // top-down rows, like TFrame
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TGdiBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return;  // keep the old surface: the view shows less than it could, but shows
  auto* newBits = static_cast<uint32_t*>(bits);
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
  HGDIOBJ previous = SelectObject(FMemoryDC.Get(), bitmap.Get());
  if (FOldBitmap == nullptr) FOldBitmap = previous;
  FBitmap = std::move(bitmap);
  FBits = newBits;
  FScreenWidth = clientWidth;
  FScreenHeight = clientHeight;
  InvalidateRect(FHandle, nullptr, FALSE);
}

void TWebBrowser::Present(int left, int top, int right, int bottom) {
  if (FHandle == nullptr || FBits == nullptr) return;
  GdiFlush();
  HDC dc = GetDC(FHandle);
  BitBlt(dc, left, top, right - left, bottom - top, FMemoryDC.Get(), left, top, SRCCOPY);
  ReleaseDC(FHandle, dc);
}

TFrame TWebBrowser::CopyScreen() const {
  TFrame copy(FScreenWidth, FScreenHeight);
  if (FBits != nullptr) std::memcpy(copy.Pixels.data(), FBits, copy.Pixels.size() * sizeof(uint32_t));
  return copy;
}

int TWebBrowser::Left() const { return WindowRectInParent(FHandle).left; }
int TWebBrowser::Top() const { return WindowRectInParent(FHandle).top; }
int TWebBrowser::Width() const {
  RECT r = WindowRectInParent(FHandle);
  return r.right - r.left;
}
int TWebBrowser::Height() const {
  RECT r = WindowRectInParent(FHandle);
  return r.bottom - r.top;
}
int TWebBrowser::ClientWidth() const { return ClientSize(FHandle).cx; }
int TWebBrowser::ClientHeight() const { return ClientSize(FHandle).cy; }
void TWebBrowser::SetLeft(int left) { PlaceWindow(FHandle, left, Top(), Width(), Height()); }
void TWebBrowser::SetTop(int top) { PlaceWindow(FHandle, Left(), top, Width(), Height()); }
void TWebBrowser::SetWidth(int width) { PlaceWindow(FHandle, Left(), Top(), width, Height()); }
void TWebBrowser::SetHeight(int height) { PlaceWindow(FHandle, Left(), Top(), Width(), height); }
void TWebBrowser::SetClientWidth(int clientWidth) { SetWidth(Width() - ClientWidth() + clientWidth); }
void TWebBrowser::Show() { ShowWindow(FHandle, SW_SHOWNA); }
