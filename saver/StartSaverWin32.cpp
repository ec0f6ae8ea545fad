// Starting a slideshow session, in the host's preview window or full screen.
#include "saver/StartSaver.h"

#include "base/ApplicationWin32.h"
#include "base/HostWindowWin32.h"
#include "base/OwnersWin32.h"
#include "host/RunningFlag.h"
#include "saver/SchonerWin32.h"

void StartSaver(const TRunRequest& run) {
  // A preview lives in the host's window: a handle of 0, or one that names no window, leaves
  // nothing to show in, and the session ends before it has changed anything.
  if (run.Mode == smPreview && !IsWindow(HostWindow(run))) return;
  TPairedRelease hiddenCursor;  // shown again once the session is over
  if (run.Mode == smSaver) {
    SetScreenSaverRunning(true);
    hiddenCursor = HideCursor();
  }
  Application.Initialize();
  auto schoner = std::make_unique<TSchoner>(run);
  schoner->Create();
  if (schoner->Handle() == nullptr) {
    // The window could not be made (the host's window went away just then): no handler has run
    // and nothing was changed but the running flag.
    if (run.Mode == smSaver) SetScreenSaverRunning(false);
    return;
  }
  schoner->ShowModal();
  Application.ShowMainForm = false;
  Application.Run();
}
