// One monitor window: its DIB section, its picture and the transition into the next, paced by a
// waitable timer that the application's message loop waits on beside everything else.
#include <algorithm>
#include <cstring>
#include <exception>

#include "base/ApplicationWin32.h"
#include "base/WindowClassWin32.h"
#include "pictures/PictureSet.h"
#include "session/MonitorWindowsWin32.h"

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002  // Windows 10 1803 and later; else refused
#endif

constexpr const wchar_t* ClassName = L"TMonitorWindow";

// Picture number n fitted to width x height; black when its resource cannot be had (the primary
// reports that once, from its own change).
TFrame PictureFrame(int32_t n, int32_t width, int32_t height) {
  try {
    const TResourceStream resource = OpenPictureResource(SlideshowPictureId(n));
    return MonitorFrame(resource.Data, resource.Size, width, height);
  } catch (const std::exception&) {
    return TFrame(width, height);
  }
}

}  // namespace

TMonitorWindow::TMonitorWindow(const RECT& area, TMonitorEvent onEvent) : FArea(area), FOnEvent(std::move(onEvent)) {
  RegisterWindowClass(ClassName, &TMonitorWindow::WindowProc);
  QueryPerformanceFrequency(&FFrequency);
  const int refresh = GetDeviceCaps(TWindowDC(nullptr).Get(), VREFRESH);
  if (refresh >= 24 && refresh <= 500) FFrameSeconds = 1.0 / refresh;
  FFrameTimer.Reset(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
  if (!FFrameTimer) FFrameTimer.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
  // Owned by the hidden application window: no taskbar button, and it goes with the program.
  // Never activated: the keyboard and the activation stay with the saver window.
  FHandle = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, ClassName, L"", WS_POPUP, area.left,
                            area.top, area.right - area.left, area.bottom - area.top, Application.Handle(), nullptr,
                            GetModuleHandleW(nullptr), this);
  if (FHandle == nullptr) return;
  Resize(area.right - area.left, area.bottom - area.top);
  ShowWindow(FHandle, SW_SHOWNOACTIVATE);
  Application.AddFrameClient(this);
}

TMonitorWindow::~TMonitorWindow() {
  Application.RemoveFrameClient(this);
  if (FHandle != nullptr) {
    UnbindWindowObject(FHandle);
    DestroyWindow(FHandle);
  }
}

LRESULT CALLBACK TMonitorWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DispatchToWindowObject(hwnd, msg, wParam, lParam, &TMonitorWindow::FHandle, &TMonitorWindow::HandleMessage);
}

LRESULT TMonitorWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      TPaintDC paint(FHandle);
      const RECT& r = paint.Area();
      BitBlt(paint.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, FMemoryDC.Get(), r.left, r.top, SRCCOPY);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_DPICHANGED:
      if (FOnEvent) FOnEvent(msg);
      return 0;
    case WM_NCDESTROY:
      UnbindWindowObject(FHandle);
      FHandle = nullptr;
      FTransition.reset();
      return 0;
    default:
      return DefWindowProcW(FHandle, msg, wParam, lParam);
  }
}

void TMonitorWindow::Place(const RECT& area) {
  FArea = area;
  if (FHandle == nullptr) return;
  const int width = area.right - area.left, height = area.bottom - area.top;
  SetWindowPos(FHandle, HWND_TOPMOST, area.left, area.top, width, height, SWP_NOACTIVATE);
  if (width == FWidth && height == FHeight) return;
  FinishTransition();
  Resize(width, height);
  if (FPicture >= 0 && FBits != nullptr) {
    const TFrame frame = PictureFrame(FPicture, FWidth, FHeight);
    std::memcpy(FBits, frame.Pixels.data(), frame.Pixels.size() * sizeof(uint32_t));
  }
  InvalidateRect(FHandle, nullptr, FALSE);
}

void TMonitorWindow::ShowPicture(int32_t n, const TMonitorExit& exit, uint64_t seed) {
  if (FHandle == nullptr || FBits == nullptr) return;
  FinishTransition();
  FPicture = n;
  FTo = PictureFrame(n, FWidth, FHeight);
  FFrom = TFrame(FWidth, FHeight);
  std::memcpy(FFrom.Pixels.data(), FBits, FFrom.Pixels.size() * sizeof(uint32_t));
  FTransition.emplace(exit.Kind, exit.Pattern, seed, FFrom, FTo);
  FDurationSeconds = exit.DurationSeconds;
  QueryPerformanceCounter(&FStart);
  if (!FFrameTimer) {
    FinishTransition();  // nothing to pace the frames with: the picture comes at once
    return;
  }
  ScheduleFrame();
}

void TMonitorWindow::NextFrame() {
  if (!FTransition) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const double elapsed = static_cast<double>(now.QuadPart - FStart.QuadPart) / static_cast<double>(FFrequency.QuadPart);
  const double p = FDurationSeconds > 0 ? elapsed / FDurationSeconds : 1.0;
  Present(FTransition->Step(std::min(p, 1.0), ScreenTarget()));
  if (FTransition->Finished())
    FinishTransition();
  else
    ScheduleFrame();
}

void TMonitorWindow::FinishTransition() {
  if (!FTransition) return;
  Present(FTransition->Finish(ScreenTarget()));
  FTransition.reset();
  FFrom = TFrame();  // between transitions the window holds nothing but the frame on screen
  FTo = TFrame();
}

void TMonitorWindow::ScheduleFrame() {
  LARGE_INTEGER due;
  due.QuadPart = -static_cast<LONGLONG>(FFrameSeconds * 1e7);  // relative, in 100 ns units
  SetWaitableTimer(FFrameTimer.Get(), &due, 0, nullptr, nullptr, FALSE);
}

void TMonitorWindow::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  TDibSection dib = CreateTopDownDib(width, height);
  if (!dib.Bitmap) return;  // keep the old surface: the window shows less than it could, but shows
  std::fill(dib.Bits, dib.Bits + static_cast<size_t>(width) * height, 0xFF000000u);
  if (!FMemoryDC) FMemoryDC.Reset(CreateCompatibleDC(nullptr));
  FSelected.reset();  // the old bitmap leaves the DC before it goes
  FSelected.emplace(FMemoryDC.Get(), dib.Bitmap.Get());
  FBitmap = std::move(dib.Bitmap);
  FBits = dib.Bits;
  FWidth = width;
  FHeight = height;
}

void TMonitorWindow::Present(const TDirtyRect& changed) {
  if (FHandle == nullptr || changed.Empty()) return;
  GdiFlush();
  BitBlt(TWindowDC(FHandle).Get(), changed.Left, changed.Top, changed.Right - changed.Left,
         changed.Bottom - changed.Top, FMemoryDC.Get(), changed.Left, changed.Top, SRCCOPY);
}
