// The session's temporary files on the system: naming, writing whole files, deleting.
#include <windows.h>

#include "base/Errors.h"
#include "base/OwnersWin32.h"
#include "base/TextWin32.h"
#include "pictures/PictureSet.h"
#include "slides/TempFiles.h"

namespace {

// The system's description of an error code, in UTF-8, without the trailing line break and full
// stop (the error report adds its own stop).
std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                    FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return WideToUtf8(text);
}

[[noreturn]] void RaiseCreateError(const std::wstring& path, DWORD cause) {
  throw EFCreateError(FileCreateErrorText(WideToUtf8(path), SystemErrorText(cause)));
}

// Opens `path` for writing without following a link: an existing file as it is, a missing one
// made anew. A link found in the file's place is refused.
TFileHandle OpenWithoutLinks(const std::wstring& path) {
  constexpr DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr));
  if (!file && GetLastError() == ERROR_FILE_NOT_FOUND)
    file.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, flags, nullptr));
  if (!file) RaiseCreateError(path, GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.Get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    RaiseCreateError(path, ERROR_CANT_ACCESS_FILE);
  return file;
}

// Writes `size` bytes over the file in one write and cuts it there. A short write raises
// EWriteError; the file is closed on every path.
void WriteWholeFile(const std::wstring& path, const void* data, size_t size) {
  TFileHandle file = OpenWithoutLinks(path);
  DWORD written = 0;
  if (size > MAXDWORD || !WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) ||
      written != size || !SetEndOfFile(file.Get()))
    throw EWriteError(StreamWriteErrorText());
}

void DeleteQuietly(const std::wstring& path) {
  if (path.empty()) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
}

}  // namespace

uint32_t FreshTempNumber() { return NextTempNumber(GetTickCount() ^ (GetCurrentProcessId() << 5)); }

std::wstring MakeTempFile(const std::string& extension, uint32_t firstNumber) {
  std::wstring directory(MAX_PATH + 1, L'\0');
  DWORD length = GetTempPathW(MAX_PATH + 1, directory.data());
  if (length == 0 || length > MAX_PATH) RaiseCreateError(L"", length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE);
  directory.resize(length);
  uint32_t number = NextTempNumber(firstNumber - 1);  // within 1 to 0xFFFF
  std::wstring path;
  DWORD cause = ERROR_FILE_EXISTS;
  for (uint32_t tried = 0; tried < 0xFFFF; ++tried, number = NextTempNumber(number)) {
    path = directory + Utf8ToWide(TempFileName(number, extension));
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file) return path;
    cause = GetLastError();
    // Taken: by a file, a link or a folder of that name, or a file on its way out.
    if (cause != ERROR_FILE_EXISTS && cause != ERROR_ALREADY_EXISTS && cause != ERROR_ACCESS_DENIED) break;
  }
  RaiseCreateError(path, cause);
}

std::string PagePathOf(const std::wstring& path) {
  if (std::optional<std::string> ansi = ExactAnsi(path)) return *ansi;
  std::wstring shortPath(MAX_PATH + 1, L'\0');
  DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), MAX_PATH + 1);
  if (length != 0 && length <= MAX_PATH) {
    shortPath.resize(length);
    if (std::optional<std::string> ansi = ExactAnsi(shortPath)) return *ansi;
  }
  RaiseCreateError(path, ERROR_INVALID_NAME);
}

TJpegSize CopyPictureFile(int32_t pictureNumber, const std::wstring& picturePath) {
  TResourceStream picture = OpenPictureResource(SlideshowPictureId(pictureNumber));
  TJpegSize size = ReadJpegSize(picture.Data, picture.Size);
  WriteWholeFile(picturePath, picture.Data, picture.Size);
  return size;
}

void WritePageFile(const std::wstring& pagePath, const std::string& pageText) {
  WriteWholeFile(pagePath, pageText.data(), pageText.size());
}

void DeleteTempFiles(const std::wstring& pagePath, const std::wstring& picturePath) noexcept {
  DeleteQuietly(pagePath);
  DeleteQuietly(picturePath);
}
