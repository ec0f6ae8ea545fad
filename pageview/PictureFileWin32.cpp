// The picture file a page names, opened on Windows only when it is a plain file on a local disk:
// a page must never make the view talk to another machine (sending the user's credentials) or
// wait for ever on a pipe.
#include "pageview/PictureFileWin32.h"

#include <functional>
#include <optional>
#include <string>

#include "base/OwnersWin32.h"
#include "base/TextWin32.h"
#include "pageview/PictureFile.h"

namespace {

// Whether the volume of a full path ("X:\..." or "\\server\...") lies on another machine.
bool OnRemoteVolume(const std::wstring& path) {
  if (path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/')) return true;
  if (path.size() < 2 || path[1] != L':') return false;
  const wchar_t root[] = {path[0], L':', L'\\', 0};
  return GetDriveTypeW(root) == DRIVE_REMOTE;
}

// A text a system call writes into a buffer, asked again at the length it says it needs; empty
// when the call fails.
std::wstring SystemText(const std::function<DWORD(wchar_t* buffer, DWORD size)>& get) {
  std::wstring text(MAX_PATH, L'\0');
  DWORD length = get(text.data(), static_cast<DWORD>(text.size()));
  if (length >= text.size()) {
    text.resize(length);
    length = get(text.data(), static_cast<DWORD>(text.size()));
  }
  if (length == 0 || length >= text.size()) return {};
  text.resize(length);
  return text;
}

// With FILE_FLAG_OPEN_REPARSE_POINT a link at the path's end is opened itself, not followed.
TFileHandle OpenForReading(const std::wstring& path, DWORD flags) {
  return TFileHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, flags | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// The file's attributes and reparse tag.
std::optional<FILE_ATTRIBUTE_TAG_INFO> AttributeTag(HANDLE file) {
  FILE_ATTRIBUTE_TAG_INFO tag = {};
  if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag)) return std::nullopt;
  return tag;
}

bool IsReparsePoint(const FILE_ATTRIBUTE_TAG_INFO& tag) { return (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
// A symbolic link, a junction or a mount point: it names another file.
bool IsLink(const FILE_ATTRIBUTE_TAG_INFO& tag) { return IsReparsePoint(tag) && IsReparseTagNameSurrogate(tag.ReparseTag); }

}  // namespace

bool IsLocalDiskFile(HANDLE file) {
  if (GetFileType(file) != FILE_TYPE_DISK) return false;
  const std::optional<FILE_ATTRIBUTE_TAG_INFO> tag = AttributeTag(file);
  if (!tag || (tag->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || IsLink(*tag)) return false;
  // Where the file really is: a share ("\\?\UNC\...", also for a drive mapped to one), or a
  // drive of another machine. A volume without a drive letter has no such name; its path was
  // judged before it was opened. (Asking for the remote protocol would do as well, were it
  // certain that every local file system refuses the question.)
  const std::wstring where = SystemText(
      [file](wchar_t* buffer, DWORD size) { return GetFinalPathNameByHandleW(file, buffer, size, VOLUME_NAME_DOS); });
  if (where.empty()) return true;
  if (where.rfind(L"\\\\?\\UNC\\", 0) == 0) return false;
  return where.rfind(L"\\\\?\\", 0) != 0 || !OnRemoteVolume(where.substr(4));
}

std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& path) {
  if (!IsLocalFilePath(path)) return std::nullopt;
  // A relative path may lead to a share through the current folder; a drive may be mapped to
  // one. Neither is opened.
  const std::wstring given = Utf8ToWide(AnsiToUtf8(path));
  const std::wstring full = SystemText(
      [&given](wchar_t* buffer, DWORD size) { return GetFullPathNameW(given.c_str(), size, buffer, nullptr); });
  if (full.empty() || OnRemoteVolume(full)) return std::nullopt;
  TFileHandle file = OpenForReading(full, FILE_FLAG_OPEN_REPARSE_POINT);
  if (!file) return std::nullopt;
  // A reparse point that is no link (a deduplicated or cloud file) is read through its filter.
  if (const auto tag = AttributeTag(file.Get()); tag && IsReparsePoint(*tag) && !IsLink(*tag))
    file = OpenForReading(full, 0);
  if (!file || !IsLocalDiskFile(file.Get())) return std::nullopt;
  return ReadBoundedBytes([&file](uint8_t* buffer, size_t count) -> int64_t {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(count), &read, nullptr)) return -1;
    return read;
  });
}
