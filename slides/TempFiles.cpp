// The pure part of naming the session's files.
#include "slides/TempFiles.h"

#include <cstdio>

std::string TempFileName(uint32_t number, const std::string& extension) {
  char hex[12];
  std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(number));
  return "ins" + std::string(hex) + "." + extension;
}

uint32_t NextTempNumber(uint32_t number) { return number % 0xFFFF + 1; }
