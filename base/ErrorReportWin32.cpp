// The two error boxes. Texts are UTF-8 inside the program and shown through the wide API, so
// they read correctly whatever the system's ANSI code page.
#include <windows.h>

#include "base/ErrorReport.h"
#include "base/Errors.h"
#include "base/TextWin32.h"

namespace {

std::string ModuleFileName() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring full(path, n);
  size_t slash = full.find_last_of(L"\\/");
  return WideToUtf8(slash == std::wstring::npos ? full : full.substr(slash + 1));
}

std::string ClassNameOf(const std::exception& error) {
  if (auto* own = dynamic_cast<const Exception*>(&error)) return own->ClassName();
  return "Exception";
}

std::string MessageOf(const std::exception& error) {
  if (auto* own = dynamic_cast<const Exception*>(&error)) return own->Message();
  return error.what();
}

}  // namespace

void ShowException(const std::exception& error) noexcept {
  try {
    ReleaseCapture();
    std::wstring text = Utf8ToWide(WithFinalStop(MessageOf(error)));
    std::wstring caption = Utf8ToWide(ApplicationTitle(ModuleFileName()));
    MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
  }
}

void ShowFatalException(const std::exception& error) noexcept {
  try {
    uintptr_t address = 0;
    if (auto* own = dynamic_cast<const Exception*>(&error)) address = own->Address();
    std::wstring text = Utf8ToWide(FatalReportText(ClassNameOf(error), ModuleFileName(), address, MessageOf(error)));
    MessageBoxW(nullptr, text.c_str(), L"Anwendungsfehler", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  } catch (...) {
  }
}
