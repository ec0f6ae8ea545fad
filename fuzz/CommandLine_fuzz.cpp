// libFuzzer target: the host's command line from raw text to run mode, through the splitting,
// the switch parsing and the integer syntax of window handles. Only EConvertError may leave the
// parser, and every handle it accepts must read back the same from its decimal form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/CommandLine.h"
#include "base/Errors.h"
#include "base/IntSyntax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // cut at a NUL, as Windows would
  const std::vector<std::string> args = SplitCommandLine(text.c_str());
  for (const std::string& arg : args) {
    if (arg.find('"') != std::string::npos) std::abort();  // quotes group, never stay
    const std::optional<int32_t> value = TryStrToInt(arg);
    if (value && TryStrToInt(std::to_string(*value)) != value) std::abort();
  }
  try {
    const TParsedCommandLine parsed = ParseArguments(args, [] { return int32_t{4711}; });
    if (parsed.Mode > smSaver) std::abort();
    if (parsed.Mode == smSaver && parsed.Window != 0) std::abort();
  } catch (const EConvertError&) {
  }
  return 0;
}
