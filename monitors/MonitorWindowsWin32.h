// The windows of a full-screen session on the monitors beside the primary one, as a set: one per
// monitor, following the monitors' layout, changing pictures on the session's tick.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "monitors/MonitorShow.h"
#include "monitors/MonitorWindowWin32.h"

// All monitor windows of a session, one per monitor beside the primary.
class TMonitorWindows {
public:
  TMonitorWindows(uint64_t seed, TMonitorEvent onEvent) : FShow(seed), FOnEvent(std::move(onEvent)) {}

  // Matches the windows to the monitors as they are now: a window per monitor beside the
  // primary, on it and of its size; windows of monitors that went away are closed. Once the
  // pictures have begun, a window for a monitor that came shows one of its own at once.
  void Follow();
  // Whether the monitors lie otherwise than at the last Follow (a change of layout whose notice
  // has not come, or came before the system's list of monitors had it).
  bool LayoutChanged() const;
  // The picture change of the session's tick: every window plays into a picture of its own.
  void ChangePictures(int32_t primaryPicture, int32_t effect);
  const std::vector<std::unique_ptr<TMonitorWindow>>& Windows() const { return FWindows; }

private:
  TMonitorShow FShow;
  TMonitorEvent FOnEvent;
  TRect FPrimary;  // the primary monitor at the last Follow
  int32_t FPrimaryPicture = -1;  // the primary's picture at the last change; -1 before the first
  std::vector<std::unique_ptr<TMonitorWindow>> FWindows;
};

// The areas of the monitors beside the primary one, in physical pixels, in the system's order.
std::vector<TRect> SecondaryMonitorAreas();
