// Writing, removing and recovering the sessions' records.
#include "host/SessionRecord.h"

#include <cctype>
#include <charconv>

#include "host/BrowserGuards.h"

namespace {

std::string SessionKeyPath(uint32_t processId) { return std::string(SessionsKeyPath) + '\\' + std::to_string(processId); }

std::string QwordData(uint64_t value) {
  std::string data(8, '\0');
  for (size_t i = 0; i < 8; ++i) data[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return data;
}

uint64_t QwordValue(const std::optional<TRegRaw>& raw) {
  if (!raw || raw->Type != TRegType::Qword || raw->Data.size() != 8) return 0;
  uint64_t value = 0;
  for (size_t i = 0; i < 8; ++i) value |= static_cast<uint64_t>(static_cast<unsigned char>(raw->Data[i])) << (8 * i);
  return value;
}

// Copies the setting `valueName` of `keyPath`, when it is there with its type, into the record.
void RecordSetting(TRegistry& registry, TRegistryKey& record, const char* keyPath, const char* valueName,
                   const char* recordName) {
  std::optional<TRegRaw> value = registry.OpenCurrentUserKey(keyPath, false)->ReadRaw(valueName);
  if (IsSettingValue(valueName, value)) record.WriteRaw(recordName, *value);
}

// Whether the setting still holds what a session made of it.
bool HoldsSessionChange(TRegistryKey& key, const char* valueName, const TRegRaw& current) {
  if (!IsSettingValue(valueName, current)) return false;
  if (valueName == std::string(PageTransitionsValueName)) return current.Data == std::string("\1\0\0\0", 4);
  return key.ReadString(valueName).find(DeactivatedMarker) != std::string::npos;
}

void PutBack(TRegistry& registry, TRegistryKey& record, const char* keyPath, const char* valueName,
             const char* recordName) {
  std::optional<TRegRaw> before = record.ReadRaw(recordName);
  if (!before) return;
  std::unique_ptr<TRegistryKey> key = registry.OpenCurrentUserKey(keyPath, false);
  std::optional<TRegRaw> current = key->ReadRaw(valueName);
  if (current && *current != *before && HoldsSessionChange(*key, valueName, *current)) key->WriteRaw(valueName, *before);
}

void Recover(TRegistry& registry, uint32_t processId, const std::function<void(const std::string&)>& deleteFile) {
  std::unique_ptr<TRegistryKey> record = registry.OpenCurrentUserKey(SessionKeyPath(processId), false);
  PutBack(registry, *record, NavigationSoundKeyPath, NavigationSoundValueName, SoundBeforeValueName);
  PutBack(registry, *record, BrowserMainKeyPath, PageTransitionsValueName, TransitionsBeforeValueName);
  for (const char* name : {PageFileValueName, PictureFileValueName})
    if (std::optional<std::string> path = record->ReadUnicodeString(name); path && IsSessionFileName(*path))
      deleteFile(*path);
}

}  // namespace

void RecordSession(TRegistry& registry, const TProcessStamp& self) {
  std::unique_ptr<TRegistryKey> record = registry.OpenCurrentUserKey(SessionKeyPath(self.Id), true);
  record->WriteRaw(ProcessStartValueName, {TRegType::Qword, QwordData(self.StartTime)});
  RecordSetting(registry, *record, NavigationSoundKeyPath, NavigationSoundValueName, SoundBeforeValueName);
  RecordSetting(registry, *record, BrowserMainKeyPath, PageTransitionsValueName, TransitionsBeforeValueName);
}

void RecordSessionFiles(TRegistry& registry, uint32_t processId, const std::string& picturePath,
                        const std::string& pagePath) {
  std::unique_ptr<TRegistryKey> record = registry.OpenCurrentUserKey(SessionKeyPath(processId), false);
  record->WriteUnicodeString(PictureFileValueName, picturePath);
  record->WriteUnicodeString(PageFileValueName, pagePath);
}

void ForgetSession(TRegistry& registry, uint32_t processId) noexcept {
  try {
    const std::string path = SessionKeyPath(processId);
    {
      std::unique_ptr<TRegistryKey> record = registry.OpenCurrentUserKey(path, false);
      for (const char* name : {ProcessStartValueName, SoundBeforeValueName, TransitionsBeforeValueName,
                               PictureFileValueName, PageFileValueName})
        record->DeleteValue(name);
    }
    // The keys the record made go with it when nothing else is kept there.
    registry.DeleteKeyIfEmpty(path);
    registry.DeleteKeyIfEmpty(SessionsKeyPath);
    registry.DeleteKeyIfEmpty("Software\\Tarnwell\\Tarnwell - Lumivale");
    registry.DeleteKeyIfEmpty("Software\\Tarnwell");
  } catch (...) {
  }
}

void RecoverSessions(TRegistry& registry, const std::function<bool(const TProcessStamp&)>& isRunning,
                     const std::function<void(const std::string& path)>& deleteFile) noexcept {
  try {
    for (const std::string& name : registry.SubKeyNames(SessionsKeyPath)) {
      uint32_t processId = 0;
      auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), processId);
      if (error != std::errc() || end != name.data() + name.size()) continue;
      const TProcessStamp stamp{
          processId, QwordValue(registry.OpenCurrentUserKey(SessionKeyPath(processId), false)->ReadRaw(ProcessStartValueName))};
      if (isRunning(stamp)) continue;
      try {
        Recover(registry, processId, deleteFile);
      } catch (...) {
      }
      ForgetSession(registry, processId);
    }
  } catch (...) {
  }
}

bool IsSessionFileName(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() < 8 || name.size() > 11 || name.compare(0, 3, "ins") != 0) return false;
  const std::string extension = name.substr(name.size() - 4);
  if (extension != ".jpg" && extension != ".htm") return false;
  for (size_t i = 3; i < name.size() - 4; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}
