// The page view's window: navigation on the message loop, and each page drawn, or played into,
// on the view's frame surface.
#include "pageview/PageViewWin32.h"

#include <cstring>
#include <new>

#include "base/Random.h"
#include "pageview/PageRender.h"

namespace {

constexpr UINT WM_NAVIGATE = WM_APP + 1;  // takes the oldest path of FNavigations

}  // namespace

TPageView::TPageView(HWND parent, int left, int top, int width, int height) : FRandom(SessionSeed()) {
  // The sunken client edge keeps the page's origin at the client area's top-left corner, as
  // placed by the saver window (2 pixels inside the control's own corner).
  CreateWindowObject(L"TPageView", WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, L"", WS_CHILD | WS_CLIPSIBLINGS, left,
                     top, width, height, parent);
  // Without a window (the parent went away) the view stays empty: nothing to draw into or on.
  if (Handle() == nullptr) return;
  FSurface.SetWindow(Handle());
  const SIZE client = ClientSize(Handle());
  Resize(client.cx, client.cy);
}

TPageView::~TPageView() {
  FPlayer.Drop();
  DestroyWindowObject();
}

LRESULT TPageView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
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
    case WM_PAINT:
      FSurface.Paint();
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks and movement belong to the window that hosts the view
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SETFOCUS:
      SetFocus(GetParent(Handle()));
      return 0;
    case WM_GETDLGCODE:
      return 0;
    default:
      return DefWindowProcW(Handle(), msg, wParam, lParam);
  }
}

void TPageView::WindowDestroyed() {
  FSurface.SetWindow(nullptr);
  FPlayer.Drop();
}

void TPageView::Navigate(const std::string& path) {
  if (Handle() == nullptr) return;
  try {
    FNavigations.push_back(path);
  } catch (const std::bad_alloc&) {
    return;  // the view keeps what it shows; the next navigation tries again
  }
  if (!PostMessageW(Handle(), WM_NAVIGATE, 0, 0)) FNavigations.pop_back();
}

void TPageView::ShowPage(const std::string& path) {
  FPlayer.Finish();
  // Without a surface the view paints black; every page tries to make one again, and the first
  // page on a new surface simply appears.
  const bool hadSurface = !FSurface.Empty();
  if (!FSurface.Restore()) return;
  const int width = FSurface.Width(), height = FSurface.Height();
  TPage page;
  TFrame next, from, to;
  TRect area;
  try {
    page = ReadPageFile(path);
    next = RenderPage(page, width, height);
    if (next.Pixels.empty()) return;  // memory ran out: what is on screen stays until the next page
    if (FPage && FPage->Exit.Kind != TTransitionKind::Cut && hadSurface) {
      // The transition plays over the cell the page shows; whatever lies beyond it is the next
      // page's at once.
      area = TransitionArea(*FPage, page, width, height);
      from = FSurface.CopyOut(area.Width, area.Height);
      to = TFrame(area.Width, area.Height, TFrame::Undefined);
    }
  } catch (const std::bad_alloc&) {
    if (next.Pixels.empty()) return;
    from = to = TFrame();  // no memory for the transition's frames: the page appears at once
  }
  const TExitTransition exit = FPage ? FPage->Exit : TExitTransition{};
  FPage = std::move(page);
  if (to.Pixels.empty()) {
    FSurface.Show(next);
    return;
  }
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* screenRow = FSurface.Row(y);
    const uint32_t* nextRow = next.Row(y);
    if (y < area.Height) {
      std::memcpy(to.Row(y), nextRow, static_cast<size_t>(area.Width) * 4);
      std::memcpy(screenRow + area.Width, nextRow + area.Width, static_cast<size_t>(width - area.Width) * 4);
    } else {
      std::memcpy(screenRow, nextRow, static_cast<size_t>(width) * 4);
    }
  }
  FSurface.Present({area.Width, 0, width, height});
  FSurface.Present({0, area.Height, area.Width, height});
  FPlayer.Play(exit, FRandom.Next(), std::move(from), std::move(to));
}

void TPageView::Resize(int clientWidth, int clientHeight) {
  if (clientWidth == FSurface.Width() && clientHeight == FSurface.Height() && !FSurface.Empty()) return;
  FPlayer.Finish();
  // Keep what is shown where the two sizes overlap; the rest is the page's black.
  FSurface.Resize(clientWidth, clientHeight, true);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TPageView::SetLeft(int left) { PlaceWindow(Handle(), {left, Top(), Width(), Height()}); }
void TPageView::SetTop(int top) { PlaceWindow(Handle(), {Left(), top, Width(), Height()}); }
void TPageView::SetWidth(int width) { PlaceWindow(Handle(), {Left(), Top(), width, Height()}); }
void TPageView::SetHeight(int height) { PlaceWindow(Handle(), {Left(), Top(), Width(), height}); }
void TPageView::SetClientWidth(int clientWidth) { SetWidth(Width() - ClientWidth() + clientWidth); }
void TPageView::Show() { ShowWindow(Handle(), SW_SHOWNA); }
