// Window rectangles relative to the parent, and the primary monitor's area.
#include "base/WindowBoundsWin32.h"

#include "base/RectWin32.h"

TRect WindowRectInParent(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  HWND parent = GetParent(hwnd);
  if (parent != nullptr && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return FromRECT(rect);
}

SIZE ClientSize(HWND hwnd) {
  RECT rect = {};
  GetClientRect(hwnd, &rect);
  return {rect.right, rect.bottom};
}

void PlaceWindow(HWND hwnd, const TRect& bounds) {
  SetWindowPos(hwnd, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect PrimaryMonitorArea() {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  // The primary monitor always holds the origin of the screen coordinates.
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) return {};
  return FromRECT(info.rcMonitor);
}

void CoverPrimaryMonitor(HWND hwnd) {
  if (const TRect r = PrimaryMonitorArea(); !r.Empty()) PlaceWindow(hwnd, r);
}
