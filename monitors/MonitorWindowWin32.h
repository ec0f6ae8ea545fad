// One window of a full-screen session on a monitor beside the primary one: it covers its monitor
// in physical pixels and shows the slideshow from the embedded pictures, without files, without
// ever taking the activation or the focus, and hands mouse input to the session.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "base/Rect.h"
#include "base/WindowObjectWin32.h"
#include "display/FrameSurfaceWin32.h"
#include "display/TransitionPlayerWin32.h"
#include "transitions/ExitTransition.h"

// What a monitor window hands to the session: mouse input (WM_MOUSEMOVE, a button going down) and
// its monitor's new DPI (WM_DPICHANGED). Called from the window's own message handling, so the
// session must not close the window from inside it.
using TMonitorEvent = std::function<void(UINT message)>;

class TMonitorWindow : public TWindowObject {
public:
  // A black, topmost, unactivated pop-up over area, owned by the application's hidden window.
  TMonitorWindow(const TRect& area, TMonitorEvent onEvent);
  ~TMonitorWindow() override;

  TRect Area() const { return FArea; }
  int32_t Picture() const { return FPicture; }

  // Covers area; a new size shows the current picture fitted anew, at once.
  void Place(const TRect& area);
  // Plays exit from what is shown to picture number n, fitted to the window.
  void ShowPicture(int32_t n, const TExitTransition& exit, uint64_t seed);

private:
  friend struct TTestAccess;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;

  TRect FArea;
  TMonitorEvent FOnEvent;
  int32_t FPicture = -1;
  TFrameSurface FSurface;
  TTransitionPlayer FPlayer{FSurface};
};
