// The record a session keeps of what it changes, so that nothing is lost when it ends abnormally
// (a crash, the task manager, the power): before the browser settings change, the settings as
// they were and the process that changes them; once made, the session's two files. A normal end
// removes the record; the next start of the program puts back what a session whose process is
// gone left behind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "registry/Registry.h"

// Below HKEY_CURRENT_USER, under the program's settings key: one key per session, named by its
// process id in decimal.
inline constexpr char SessionsKeyPath[] = "Software\\Tarnwell\\Tarnwell - Lumivale\\Sessions";
inline constexpr char ProcessStartValueName[] = "Process start";  // REG_QWORD, the system's creation time
inline constexpr char SoundBeforeValueName[] = "Navigation sound before";
inline constexpr char TransitionsBeforeValueName[] = "Page_Transitions before";
inline constexpr char PictureFileValueName[] = "Picture file";
inline constexpr char PageFileValueName[] = "Page file";

// A process as the system knows it: its id, and its start, which tells it from a later process
// given the same id.
struct TProcessStamp {
  uint32_t Id = 0;
  uint64_t StartTime = 0;
  bool operator==(const TProcessStamp&) const = default;
};

// Records the session run by `self`: its start and each browser setting as it is now (type and
// bytes; a setting that is missing or of another type is not recorded, as the guards leave it
// alone). Raises the set error when the record cannot be written: the settings are then left as
// they are.
void RecordSession(TRegistry& registry, const TProcessStamp& self);
// Adds the session's files (UTF-8 paths) to its record.
void RecordSessionFiles(TRegistry& registry, uint32_t processId, const std::string& picturePath,
                        const std::string& pagePath);
// Removes the record of a session that has put everything back itself. Never raises.
void ForgetSession(TRegistry& registry, uint32_t processId) noexcept;

// For each record whose process is gone (`isRunning` false for its stamp): a setting that still
// holds the session's change (the sound's marker; "Page_Transitions" at 1) gets its recorded value
// back, exactly as it was; the session's files go through `deleteFile` (only names the session
// gives its files); the record is removed. A setting changed since by someone else stays as it is.
// Never raises.
void RecoverSessions(TRegistry& registry, const std::function<bool(const TProcessStamp&)>& isRunning,
                     const std::function<void(const std::string& path)>& deleteFile) noexcept;

// True for the name of a session's file: "ins", 1 to 4 hexadecimal digits, ".jpg" or ".htm", after
// the path's last backslash.
bool IsSessionFileName(const std::string& path);

// Win32. This process's stamp.
TProcessStamp CurrentProcessStamp();
// Win32. Whether the process of `stamp` runs: its id names a process of this user that started
// at the recorded time.
bool ProcessRunning(const TProcessStamp& stamp);
// Win32. RecoverSessions on the current registry, deleting files through the system.
void RecoverAbandonedSessions() noexcept;
