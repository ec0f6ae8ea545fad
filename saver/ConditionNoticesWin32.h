// The system's notices of what decides whether the slideshow is seen: the console display's power
// (or, before it existed, the monitor's), the battery saver, and the session's lock, connection
// and remoteness. Registered for one window for as long as this lives.
#pragma once

#include <windows.h>

#include "base/OwnersWin32.h"
#include "saver/ViewingConditions.h"

// The power setting of the console display's state (0 off, 1 on, 2 dimmed).
inline constexpr GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

class TConditionNotices {
public:
  // Registers window for the notices and reads what holds now (the session's remoteness).
  TConditionNotices(HWND window, TViewingConditions& conditions);

  // Takes a message of the window into the conditions; true when it was one of the notices.
  bool Take(UINT msg, WPARAM wParam, LPARAM lParam);

private:
  TViewingConditions& FConditions;
  TPowerNotice FDisplay;
  TPowerNotice FBatterySaver;
  TPairedRelease FSessionNotices;
};
