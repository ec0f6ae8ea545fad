// How a value fetched from the registry is read as an integer or a text: the system's and the
// in-memory registry hand over a type and raw bytes, and both judge them by these rules.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "registry/Registry.h"

// Up to 4 bytes of REG_DWORD, little-endian; fewer bytes leave the high ones zero. More than 4
// bytes raise the get error (the read's 4-byte buffer is too small), another type the type
// error. `name` is the value's name as the error texts show it.
int32_t DecodeRegInteger(TRegType type, std::string_view data, const std::string& name);

// No bytes read as empty text whatever the type; otherwise REG_SZ or REG_EXPAND_SZ (else the
// type error), the text ending at its first NUL or with the data.
std::string DecodeRegString(TRegType type, std::string_view data, const std::string& name);

// What one query of a value's size or data came to.
enum class TQueryStatus { Ok, MoreData, Failed };
// The system's query: with `buffer` null it only sets `size`; otherwise it reads at most `size`
// bytes into `buffer` and sets `size` to what it read.
using TValueQuery = std::function<TQueryStatus(char* buffer, uint32_t& size)>;
// Sizes a value, then reads it; a value that grew in between (another program writing it) is
// sized and read again, a few times at most. Nothing when the value cannot be read.
std::optional<std::string> ReadSizedValue(const TValueQuery& query);
