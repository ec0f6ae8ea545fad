// Conversions between the program's UTF-8 texts, the system's ANSI code page and UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string AnsiToUtf8(const std::string& text);
std::wstring AnsiToWide(const std::string& text);
// Characters without an ANSI form become the code page's default character.
std::string WideToAnsi(const std::wstring& text);
// The text in the ANSI code page when every character has an exact form there, else nothing.
std::optional<std::string> ExactAnsi(const std::wstring& text);
