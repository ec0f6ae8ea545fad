// The pure part of naming the session's files: from the system's reserved name to the final one.
#include "session/TempFiles.h"

std::string FinalTempName(const std::string& reservedName, const std::string& extension) {
  if (reservedName.size() < 3) return {};
  return reservedName.substr(0, reservedName.size() - 3) + extension;
}
