// The session's monitor windows as a set: following the monitors' layout and changing pictures.
#include "monitors/MonitorWindowsWin32.h"

#include "base/RectWin32.h"
#include "base/WindowBoundsWin32.h"

namespace {

BOOL CALLBACK CollectSecondary(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0)
    reinterpret_cast<std::vector<TRect>*>(data)->push_back(FromRECT(info.rcMonitor));
  return TRUE;
}

}  // namespace

std::vector<TRect> SecondaryMonitorAreas() {
  std::vector<TRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, &CollectSecondary, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

void TMonitorWindows::Follow() {
  FPrimary = PrimaryMonitorArea();
  const std::vector<TRect> areas = SecondaryMonitorAreas();
  if (FWindows.size() > areas.size()) FWindows.resize(areas.size());
  const size_t kept = FWindows.size();
  for (size_t i = 0; i < areas.size(); ++i) {
    if (i < kept)
      FWindows[i]->Place(areas[i]);
    else
      FWindows.push_back(std::make_unique<TMonitorWindow>(areas[i], FOnEvent));
  }
  if (FPrimaryPicture < 0 || kept == FWindows.size()) return;
  // The new windows' pictures avoid what the others show; the draws for the others go unused.
  std::vector<int32_t> shown;
  for (const auto& window : FWindows) shown.push_back(window->Picture());
  const std::vector<int32_t> next = FShow.NextPictures(shown, FPrimaryPicture);
  for (size_t i = kept; i < FWindows.size(); ++i)
    FWindows[i]->ShowPicture(next[i], TExitTransition{}, 0);
}

bool TMonitorWindows::LayoutChanged() const {
  if (PrimaryMonitorArea() != FPrimary) return true;
  const std::vector<TRect> areas = SecondaryMonitorAreas();
  if (areas.size() != FWindows.size()) return true;
  for (size_t i = 0; i < areas.size(); ++i)
    if (areas[i] != FWindows[i]->Area()) return true;
  return false;
}

void TMonitorWindows::ChangePictures(int32_t primaryPicture, int32_t effect) {
  FPrimaryPicture = primaryPicture;
  std::vector<int32_t> shown;
  for (const auto& window : FWindows) shown.push_back(window->Picture());
  const std::vector<int32_t> next = FShow.NextPictures(shown, primaryPicture);
  for (size_t i = 0; i < FWindows.size(); ++i) {
    const TExitTransition exit = FShow.NextExit(effect);
    FWindows[i]->ShowPicture(next[i], exit, FShow.NextSeed());
  }
}
