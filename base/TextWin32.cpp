// Text conversions through the system's MultiByteToWideChar/WideCharToMultiByte.
#include "base/TextWin32.h"

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

// `defaulted`, when given, tells whether a character had no form in the code page.
std::string FromWide(UINT codePage, DWORD flags, const std::wstring& text, BOOL* defaulted) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  int n = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), n, nullptr, defaulted);
  return bytes;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& text) { return ToWide(CP_UTF8, text); }

std::string WideToUtf8(const std::wstring& text) { return FromWide(CP_UTF8, 0, text, nullptr); }

std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }

std::string WideToAnsi(const std::wstring& text) { return FromWide(CP_ACP, 0, text, nullptr); }

std::optional<std::string> ExactAnsi(const std::wstring& text) {
  BOOL defaulted = FALSE;
  std::string ansi = FromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, text, &defaulted);
  if (defaulted || ToWide(CP_ACP, ansi) != text) return std::nullopt;
  return ansi;
}

std::string AnsiToUtf8(const std::string& text) { return WideToUtf8(ToWide(CP_ACP, text)); }
