// Program entry: reads the host's command line, runs the one mode it names, and ends the process.
#include <windows.h>

#include "app/CommandLine.h"
#include "base/AbnormalEndWin32.h"
#include "base/ErrorReport.h"
#include "host/Password.h"
#include "host/SessionRecord.h"
#include "saver/StartSaver.h"
#include "settings/ConfigDialog.h"

namespace {

void RunMode(const TRunRequest& run) {
  switch (run.Mode) {
    case smPassword:
      ChangePassword(run);
      break;
    case smPreview:
    case smSaver:
      StartSaver(run);
      break;
    case smConfig:
    case smNone:
      RunConfigDialog(run);
      break;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // An error that no mode handled, a bad handle text first of all, ends here: the last-chance
  // report, then exit code 1. Nothing on the system has been changed before ParseCommandLine.
  try {
    const TRunRequest run = ParseCommandLine();
    // Whatever a session that ended abnormally left behind is put back first, in every mode.
    InstallAbnormalEnd();
    RecoverAbandonedSessions();
    RunMode(run);
  } catch (const std::exception& error) {
    ShowFatalException(error);
    return 1;
  }
  return 0;
}
