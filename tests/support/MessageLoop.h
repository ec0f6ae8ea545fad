// The application's message loop run by a test until what it waits for holds, never without end.
#pragma once

#include <windows.h>

#include "base/ApplicationWin32.h"

// Handles messages (frames included) until condition holds; false when it still does not after
// `seconds`, far beyond anything a test waits for, so that a loaded machine only makes it slower.
// A timer of its own wakes the loop while nothing else comes, so the time limit always holds.
template <class TCondition>
bool PumpUntil(TCondition condition, double seconds = 10) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  const UINT_PTR waker = SetTimer(nullptr, 0, 100, nullptr);
  bool held = true;
  while (!(held = condition()) && GetTickCount64() <= end) Application.HandleMessage();
  KillTimer(nullptr, waker);
  return held;
}
