// The user's temporary directory as the tests see it, and the files in it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/OwnersWin32.h"
#include "base/TextWin32.h"

// With its final backslash.
inline std::string TempDirectory() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, path);
  return WideToUtf8(std::wstring(path, n));
}

// The names of the files of `folder` (with its final backslash) that match a wildcard pattern
// such as "ins*", sorted.
inline std::vector<std::string> FolderFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry;
  const TFindHandle search(FindFirstFileW(Utf8ToWide(folder + pattern).c_str(), &entry));
  if (!search) return names;
  do
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(WideToUtf8(entry.cFileName));
  while (FindNextFileW(search.Get(), &entry));
  std::sort(names.begin(), names.end());
  return names;
}

// The same for the temporary directory.
inline std::vector<std::string> TempFiles(const std::string& pattern) { return FolderFiles(TempDirectory(), pattern); }

// Sets an environment variable of this process (and so of the programs it starts from then on,
// TMP naming the temporary directory first) to a UTF-8 value; the old value comes back at the end
// of the scope.
class TScopedEnvironment {
 public:
  TScopedEnvironment(const std::string& name, const std::string& value) : FName(Utf8ToWide(name)) {
    FOld.resize(GetEnvironmentVariableW(FName.c_str(), FOld.data(), 32767));
    FHad = !FOld.empty();
    SetEnvironmentVariableW(FName.c_str(), Utf8ToWide(value).c_str());
  }
  ~TScopedEnvironment() { SetEnvironmentVariableW(FName.c_str(), FHad ? FOld.c_str() : nullptr); }

 private:
  std::wstring FName;
  std::wstring FOld = std::wstring(32767, L'\0');
  bool FHad;
};
