// ParseCommandLine on the process's own command line.
#include <windows.h>

#include "app/CommandLine.h"

void ParseCommandLine() {
  TParsedCommandLine parsed = ParseArguments(SplitCommandLine(GetCommandLineA()), [] {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(GetForegroundWindow()));
  });
  SaverMode = parsed.Mode;
  ParentWindow = parsed.Window;
}
