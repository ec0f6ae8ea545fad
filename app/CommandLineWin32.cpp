// ParseCommandLine on the process's own command line.
#include <windows.h>

#include "app/CommandLine.h"
#include "base/TextWin32.h"

TRunRequest ParseCommandLine() {
  // Read wide and held as UTF-8, like every text of the program, so that a report quoting a word
  // of it shows that word as the host wrote it.
  const std::string commandLine = WideToUtf8(GetCommandLineW());
  return ParseArguments(SplitCommandLine(commandLine.c_str()), [] {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(GetForegroundWindow()));
  });
}
