// The program's integer syntax, used for window-handle texts on the command line:
// optional leading blanks, an optional sign, then decimal digits (-2147483648..2147483647) or
// hexadecimal digits after "$", "X" or "0X" (at most 8 significant digits, read as a signed
// 32-bit pattern to which the sign then applies). Nothing may follow the digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<int32_t> TryStrToInt(std::string_view text);

// As TryStrToInt; a text that is not an integer raises EConvertError with the text quoted.
int32_t StrToInt(std::string_view text);
