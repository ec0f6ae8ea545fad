// Window rectangles relative to the parent, and the primary monitor's area.
#include "base/WindowBoundsWin32.h"

RECT WindowRectInParent(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  HWND parent = GetParent(hwnd);
  if (parent != nullptr && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE ClientSize(HWND hwnd) {
  RECT rect = {};
  GetClientRect(hwnd, &rect);
  return {rect.right, rect.bottom};
}

void PlaceWindow(HWND hwnd, int left, int top, int width, int height) {
  SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT PrimaryMonitorArea() {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  // The primary monitor always holds the origin of the screen coordinates.
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) return RECT{};
  return info.rcMonitor;
}

void CoverPrimaryMonitor(HWND hwnd) {
  const RECT r = PrimaryMonitorArea();
  if (r.right > r.left && r.bottom > r.top)
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
