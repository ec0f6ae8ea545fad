// One monitor window: its picture and the transition into the next, on the shared frame surface
// and transition player.
#include "session/MonitorWindowWin32.h"

#include <exception>

#include "base/ApplicationWin32.h"
#include "pictures/PictureSet.h"
#include "session/MonitorShow.h"

namespace {

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
  // Owned by the hidden application window: no taskbar button, and it goes with the program.
  // Never activated: the keyboard and the activation stay with the saver window.
  CreateWindowObject(L"TMonitorWindow", WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, L"", WS_POPUP, area.left,
                     area.top, area.right - area.left, area.bottom - area.top, Application.Handle());
  if (Handle() == nullptr) return;
  FSurface.SetWindow(Handle());
  FSurface.Resize(area.right - area.left, area.bottom - area.top, false);
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

TMonitorWindow::~TMonitorWindow() {
  FPlayer.Drop();
  DestroyWindowObject();
}

LRESULT TMonitorWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT:
      FSurface.Paint();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_DPICHANGED:
      if (FOnEvent) FOnEvent(msg);
      return 0;
    default:
      return DefWindowProcW(Handle(), msg, wParam, lParam);
  }
}

void TMonitorWindow::WindowDestroyed() {
  FSurface.SetWindow(nullptr);
  FPlayer.Drop();
}

void TMonitorWindow::Place(const RECT& area) {
  FArea = area;
  if (Handle() == nullptr) return;
  const int width = area.right - area.left, height = area.bottom - area.top;
  SetWindowPos(Handle(), HWND_TOPMOST, area.left, area.top, width, height, SWP_NOACTIVATE);
  if (width == FSurface.Width() && height == FSurface.Height()) return;
  FPlayer.Finish();
  FSurface.Resize(width, height, false);
  if (FPicture >= 0 && !FSurface.Empty()) FSurface.Show(PictureFrame(FPicture, FSurface.Width(), FSurface.Height()));
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TMonitorWindow::ShowPicture(int32_t n, const TExitTransition& exit, uint64_t seed) {
  if (Handle() == nullptr || FSurface.Empty()) return;
  FPlayer.Finish();
  FPicture = n;
  FPlayer.Play(exit, seed, FSurface.CopyOut(), PictureFrame(n, FSurface.Width(), FSurface.Height()));
}
