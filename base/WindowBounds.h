// Where a window lies: its rectangle in its parent's client coordinates (screen coordinates for a
// top-level window), its client size, and moving it; shared by the forms and the page view. And
// where the primary monitor lies, which a full-screen form covers whatever the monitors' layout.
#pragma once

#include <windows.h>

RECT WindowRectInParent(HWND hwnd);
SIZE ClientSize(HWND hwnd);
void PlaceWindow(HWND hwnd, int left, int top, int width, int height);

// The primary monitor's whole area in screen pixels (physical pixels for a per-monitor DPI-aware
// process); empty when the system gives none.
RECT PrimaryMonitorArea();
