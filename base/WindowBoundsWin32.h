// Where a window lies: its rectangle in its parent's client coordinates (screen coordinates for a
// top-level window), its client size, and moving it; shared by the forms and the page view. And
// where the primary monitor lies, which a full-screen form covers whatever the monitors' layout.
#pragma once

#include <windows.h>

#include "base/Rect.h"

TRect WindowRectInParent(HWND hwnd);
SIZE ClientSize(HWND hwnd);
void PlaceWindow(HWND hwnd, const TRect& bounds);

// The primary monitor's whole area in screen pixels (physical pixels for a per-monitor DPI-aware
// process); empty when the system gives none.
TRect PrimaryMonitorArea();
// Moves the top-level window over the whole primary monitor, keeping its place in the z-order and
// its activation; nothing when the system gives no primary monitor.
void CoverPrimaryMonitor(HWND hwnd);

// Where a window object of the program lies, read from the system each time: T gives its window
// through Handle().
template <class T>
class TWindowGeometry {
public:
  int Left() const { return WindowRectInParent(Window()).Left; }
  int Top() const { return WindowRectInParent(Window()).Top; }
  int Width() const { return WindowRectInParent(Window()).Width; }
  int Height() const { return WindowRectInParent(Window()).Height; }
  int ClientWidth() const { return ClientSize(Window()).cx; }
  int ClientHeight() const { return ClientSize(Window()).cy; }

private:
  HWND Window() const { return static_cast<const T*>(this)->Handle(); }
};
