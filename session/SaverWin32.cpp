// Starting a slideshow session, in the host's preview window or full screen.
#include "session/Saver.h"

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"
#include "base/RunState.h"
#include "host/RunningFlag.h"
#include "session/SchonerWin32.h"

void StartSaver() {
  // A preview lives in the host's window: a handle of 0, or one that names no window, leaves
  // nothing to show in, and the session ends before it has changed anything.
  if (SaverMode == smPreview && !IsWindow(ParentHandle())) return;
  TPairedRelease hiddenCursor;  // shown again once the session is over
  if (SaverMode == smSaver) {
    SetScreenSaverRunning(true);
    hiddenCursor = HideCursor();
  }
  Application.Initialize();
  auto schoner = std::make_unique<TSchoner>();
  schoner->Create();
  if (schoner->Handle() == nullptr) {
    // The window could not be made (the host's window went away just then): no handler has run
    // and nothing was changed but the running flag.
    if (SaverMode == smSaver) SetScreenSaverRunning(false);
    return;
  }
  schoner->ShowModal();
  Application.ShowMainForm = false;
  Application.Run();
}
