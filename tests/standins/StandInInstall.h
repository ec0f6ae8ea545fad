// The test programs' side of the stand-ins: finding the built files and installing one into the
// prefix's system directory for the length of a test. Header-only, so that the end-to-end
// driver can use it without linking the program's code.
#pragma once

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "tests/standins/StandIns.h"

// The built stand-in's Windows path, from the folder that LUMI_STANDINS names (a Unix path).
inline std::string StandInPath(const char* builtFile) {
  char folder[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("LUMI_STANDINS", folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) throw std::runtime_error("LUMI_STANDINS must name the stand-ins' folder");
  std::string path = std::string("Z:") + folder + "/" + builtFile;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

inline std::string SystemDirectoryPath(const char* fileName) {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, sizeof directory);
  return std::string(directory) + "\\" + fileName;
}

// Puts a copy of the built stand-in at the system directory's `installedName` and takes it away
// again; a file that was there before is kept aside meanwhile and put back.
class TInstalledStandIn {
public:
  TInstalledStandIn(const char* builtFile, const char* installedName)
      : FTarget(SystemDirectoryPath(installedName)), FKept(FTarget + ".lumi-kept") {
    FHadFile = GetFileAttributesA(FTarget.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (FHadFile && !MoveFileExA(FTarget.c_str(), FKept.c_str(), MOVEFILE_REPLACE_EXISTING))
      throw std::runtime_error("cannot move " + FTarget + " aside");
    if (!CopyFileA(StandInPath(builtFile).c_str(), FTarget.c_str(), FALSE))
      throw std::runtime_error("cannot install " + StandInPath(builtFile) + " as " + FTarget);
  }
  TInstalledStandIn(const TInstalledStandIn&) = delete;
  TInstalledStandIn& operator=(const TInstalledStandIn&) = delete;
  ~TInstalledStandIn() {
    DeleteFileA(FTarget.c_str());
    if (FHadFile) MoveFileExA(FKept.c_str(), FTarget.c_str(), MOVEFILE_REPLACE_EXISTING);
  }

private:
  std::string FTarget;
  std::string FKept;
  bool FHadFile = false;
};

// What a stand-in recorded under its registry key (a count or a value it was handed).
inline std::optional<ULONGLONG> StandInRecord(const char* name) {
  ULONGLONG value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, StandInKeyPath, name, RRF_RT_DWORD | RRF_RT_QWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

// Sets an answer the stand-ins give.
inline void SetStandIn(const char* name, DWORD value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, StandInKeyPath, name, REG_DWORD, &value, sizeof value);
}

// Empties the stand-ins' registry key: no answers set, no calls recorded.
inline void ResetStandIns() { RegDeleteTreeA(HKEY_CURRENT_USER, StandInKeyPath); }
