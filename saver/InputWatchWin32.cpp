// The end of a session: the full-screen input watch, the password on the way out, and StopSaver.
#include <windows.h>

#include <cstdlib>

#include "base/ApplicationWin32.h"
#include "display/FrameClockWin32.h"
#include "host/BrowserGuards.h"
#include "host/Password.h"
#include "host/RunningFlag.h"
#include "host/SessionRecord.h"
#include "saver/SchonerWin32.h"
#include "slides/TempFiles.h"

bool TSchoner::MovedBeyondThreshold() const {
  POINT cursor = {};
  GetCursorPos(&cursor);
  return std::abs(cursor.x - FStartCursor.X) > MouseThreshold || std::abs(cursor.y - FStartCursor.Y) > MouseThreshold;
}

bool TSchoner::TakeWatchedInput(TMessage& message) {
  switch (message.Msg) {
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
      if (LOWORD(message.WParam) == 0) TryEndSaver();
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      TryEndSaver();
      break;
    case WM_MOUSEMOVE:
      // The cursor's screen position, not the message's coordinates: a new window receives
      // mouse-move messages without any movement at all.
      if (MovedBeyondThreshold()) TryEndSaver();
      break;
    case CM_MONITOREVENT:
      // Mouse input on another monitor's window counts as this window's.
      if (message.WParam == WM_DPICHANGED) return false;
      if (message.WParam != WM_MOUSEMOVE || MovedBeyondThreshold()) TryEndSaver();
      break;
    default:
      return false;
  }
  return true;
}

void TSchoner::TryEndSaver() {
  if (FCourse.Ended()) return;  // nothing is asked once the session has ended
  FCapture.Reset();
  // While the password is asked, the watch is off, so the prompt's activation and input cannot
  // start this again.
  FWatching = false;
  bool mayEnd = false;
  try {
    mayEnd = VerifyPassword(FStartCursor);
  } catch (...) {
    Application.HandleCurrentException();
  }
  if (mayEnd)
    StopSaver();
  if (FCourse.Ended()) return;
  FWatching = true;
  FCapture = CaptureMouse(Handle());
}

void TSchoner::StopSaver() {
  if (!FCourse.End()) return;
  // The watch goes with the session: hiding or closing the window afterwards asks nothing.
  FWatching = false;
  FCapture.Reset();
  if (FRun.Mode == smSaver) RunGuarded([] { SetScreenSaverRunning(false); });
  PictureTimer.SetEnabled(false);
  FMonitors.reset();  // the other monitors' windows go with the session
  FNotices.reset();
  FrameClock().SetPolicy({});
  if (FRecorded) {
    RunQuietly([] { RestoreNavigationSound(); });
    if (FTransitionsWereOff) RunQuietly([] { RestorePageTransitions(); });
  }
  DeleteTempFiles(FHtmlFile, FJpgFile);
  // Everything is back: the record goes, and an abnormal end has nothing left to do.
  ForgetSession(CurrentRegistry(), CurrentProcessStamp().Id);
  FEndOnCrash.reset();
  Application.Quiet = false;
  PostQuitMessage(0);
}

void TSchoner::WMSysCommand(TMessage& message) {
  if ((message.WParam & 0xFFF0) == SC_MINIMIZE) {
    Hide();
    message.Result = 0;
    return;
  }
  DefaultHandler(message);
}

void TSchoner::FormKeyDown(WORD) { Close(); }

void TSchoner::FormClose() { StopSaver(); }

void TSchoner::FormDestroyedFromOutside() {
  // The host took its preview window away, and this window with it: end the session cleanly.
  StopSaver();
}

// Logoff, restart or shutdown: the process may go as soon as this returns, so the session puts
// everything back now.
void TSchoner::FormEndSession() { StopSaver(); }
