// The session's temporary files on the system: naming, writing whole files, deleting.
#include <windows.h>

#include "base/Errors.h"
#include "base/OwnersWin32.h"
#include "base/TextWin32.h"
#include "pictures/PictureSet.h"
#include "session/TempFiles.h"

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

// Creates or truncates `path` and writes `size` bytes in one write. A short write raises
// EWriteError; the file is closed on every path.
void WriteWholeFile(const std::string& path, const void* data, size_t size) {
  TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD cause = GetLastError();
    throw EFCreateError(FileCreateErrorText(AnsiToUtf8(path), SystemErrorText(cause)));
  }
  DWORD written = 0;
  if (size > MAXDWORD || !WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) ||
      written != size)
    throw EWriteError(StreamWriteErrorText());
}

void DeleteQuietly(const std::string& path) {
  if (path.empty()) return;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

}  // namespace

std::string MakeTempFileName(const std::string& extension) {
  char directory[MAX_PATH + 1] = {};
  char reserved[MAX_PATH + 1] = {};
  DWORD length = GetTempPathA(MAX_PATH, directory);
  // 0: no temporary directory; above MAX_PATH: the size it would need.
  if (length == 0 || length > MAX_PATH) return {};
  if (GetTempFileNameA(directory, "inst", 0, reserved) == 0) return {};
  SetFileAttributesA(reserved, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(reserved);
  return FinalTempName(reserved, extension);
}

TJpegSize CopyPictureFile(int32_t pictureNumber, const std::string& picturePath) {
  TResourceStream picture = OpenPictureResource(SlideshowPictureId(pictureNumber));
  TJpegSize size = ReadJpegSize(picture.Data, picture.Size);
  WriteWholeFile(picturePath, picture.Data, picture.Size);
  return size;
}

void WritePageFile(const std::string& pagePath, const std::string& pageText) {
  WriteWholeFile(pagePath, pageText.data(), pageText.size());
}

void DeleteTempFiles(const std::string& pagePath, const std::string& picturePath) noexcept {
  DeleteQuietly(pagePath);
  DeleteQuietly(picturePath);
}
