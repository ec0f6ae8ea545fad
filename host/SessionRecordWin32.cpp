// The system's side of the sessions' records: processes and their start times, deleting files.
#include <windows.h>

#include "base/OwnersWin32.h"
#include "base/TextWin32.h"
#include "host/SessionRecord.h"

namespace {

uint64_t StartTimeOf(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

TProcessStamp CurrentProcessStamp() { return {GetCurrentProcessId(), StartTimeOf(GetCurrentProcess())}; }

bool ProcessRunning(const TProcessStamp& stamp) {
  // A process this user cannot query is not one of its sessions.
  TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, stamp.Id));
  if (!process) return false;
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.Get(), &exitCode) || exitCode != STILL_ACTIVE) return false;
  return StartTimeOf(process.Get()) == stamp.StartTime;
}

void RecoverAbandonedSessions() noexcept {
  RecoverSessions(CurrentRegistry(), ProcessRunning, [](const std::string& path) {
    const std::wstring file = Utf8ToWide(path);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
  });
}
