// A 32-bit number as the registry stores a REG_DWORD: four bytes, least significant first.
#pragma once

#include <cstdint>
#include <string>

inline std::string Le32(uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}
