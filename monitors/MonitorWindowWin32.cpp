// One monitor window: its picture and the transition into the next, on the shared frame surface
// and transition player.
#include "monitors/MonitorWindowWin32.h"

#include <exception>
#include <new>

#include "base/ApplicationWin32.h"
#include "imaging/PicturePipeline.h"
#include "pictures/PictureSet.h"

namespace {

// Picture number n fitted to width x height on black; all black when its resource cannot be had
// (the primary reports that once, from its own change); empty when memory runs out.
TFrame PictureFrame(int32_t n, int32_t width, int32_t height) noexcept {
  TResourceStream resource;
  try {
    resource = OpenPictureResource(SlideshowPictureId(n));
  } catch (const std::exception&) {
    resource = {};
  }
  return PhotographFrame(resource.Data, resource.Size, {width, height, TFit::Contain}, width, height);
}

}  // namespace

TMonitorWindow::TMonitorWindow(const TRect& area, TMonitorEvent onEvent) : FArea(area), FOnEvent(std::move(onEvent)) {
  // Owned by the hidden application window: no taskbar button, and it goes with the program.
  // Never activated: the keyboard and the activation stay with the saver window.
  CreateWindowObject(L"TMonitorWindow", WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, L"", WS_POPUP, area.Left,
                     area.Top, area.Width, area.Height, Application.Handle());
  if (Handle() == nullptr) return;
  FSurface.SetWindow(Handle());
  FSurface.Resize(area.Width, area.Height, false);
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

void TMonitorWindow::Place(const TRect& area) {
  FArea = area;
  if (Handle() == nullptr) return;
  const int width = area.Width, height = area.Height;
  SetWindowPos(Handle(), HWND_TOPMOST, area.Left, area.Top, width, height, SWP_NOACTIVATE);
  if (width == FSurface.Width() && height == FSurface.Height()) return;
  FPlayer.Finish();
  FSurface.Resize(width, height, false);
  if (FPicture >= 0 && !FSurface.Empty()) FSurface.Show(PictureFrame(FPicture, FSurface.Width(), FSurface.Height()));
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TMonitorWindow::ShowPicture(int32_t n, const TExitTransition& exit, uint64_t seed) {
  if (Handle() == nullptr) return;
  FPlayer.Finish();
  // Without a surface the window paints black; every picture tries to make one again, and the
  // first picture on a new surface simply appears.
  const bool hadSurface = !FSurface.Empty();
  if (!FSurface.Restore()) return;
  TFrame next = PictureFrame(n, FSurface.Width(), FSurface.Height());
  if (next.Pixels.empty()) return;  // memory ran out: what is on screen stays until the next picture
  FPicture = n;
  TFrame from;
  try {
    if (hadSurface) from = FSurface.CopyOut();
  } catch (const std::bad_alloc&) {
    from = TFrame();  // no memory for the transition: the picture appears at once
  }
  if (from.Pixels.empty()) {
    FSurface.Show(next);
    return;
  }
  FPlayer.Play(exit, seed, std::move(from), std::move(next));
}
