// Conversions between the program's UTF-8 texts, the system's ANSI code page and UTF-16.
#pragma once

#include <windows.h>

#include <string>

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string AnsiToUtf8(const std::string& text);
