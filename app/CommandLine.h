// The screen-saver host's command line: "/s", "/p HWND", "/l HWND", "/a HWND", "/c[:HWND]", a bare
// handle, or nothing. Arguments are split from the raw command line, then parsed into the run mode.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/RunState.h"

// The words after the program's own path: blanks and control characters separate, double quotes
// group and are removed.
std::vector<std::string> SplitCommandLine(const char* commandLine);

using TParsedCommandLine = TRunRequest;

// Parses the arguments (counted from the first after the program path). `foregroundWindow` gives
// the handle used for "/c" without one. A bad handle text raises EConvertError.
TParsedCommandLine ParseArguments(const std::vector<std::string>& args,
                                  const std::function<int32_t()>& foregroundWindow);

// Reads the process's own command line.
TRunRequest ParseCommandLine();
