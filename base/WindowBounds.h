// Where a window lies: its rectangle in its parent's client coordinates (screen coordinates for a
// top-level window), its client size, and moving it; shared by the forms and the page view.
#pragma once

#include <windows.h>

RECT WindowRectInParent(HWND hwnd);
SIZE ClientSize(HWND hwnd);
void PlaceWindow(HWND hwnd, int left, int top, int width, int height);
