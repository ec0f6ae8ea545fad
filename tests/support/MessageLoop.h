// The application's message loop run by a test until what it waits for holds, never without end.
#pragma once

#include <windows.h>

#include "base/ApplicationWin32.h"

// Handles messages (frames included) until condition holds; false when it still does not after
// `seconds`, far beyond anything a test waits for, so that a loaded machine only makes it slower.
// Something must post messages or draw frames meanwhile, or the loop waits in HandleMessage.
template <class TCondition>
bool PumpUntil(TCondition condition, double seconds = 10) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    Application.HandleMessage();
  }
  return true;
}
