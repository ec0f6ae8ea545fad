// How a value fetched from the registry is read as an integer or a text: the system's and the
// in-memory registry hand over a type and raw bytes, and both judge them by these rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Registry.h"

// Up to 4 bytes of REG_DWORD, little-endian; fewer bytes leave the high ones zero. More than 4
// bytes raise the get error (the read's 4-byte buffer is too small), another type the type
// error. `name` is the value's name as the error texts show it.
int32_t DecodeRegInteger(TRegType type, std::string_view data, const std::string& name);

// No bytes read as empty text whatever the type; otherwise REG_SZ or REG_EXPAND_SZ (else the
// type error), the text ending at its first NUL or with the data.
std::string DecodeRegString(TRegType type, std::string_view data, const std::string& name);
