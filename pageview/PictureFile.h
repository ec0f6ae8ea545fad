// Reading the picture file a page names: local files only, of bounded length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/JpegDecoder.h"

// True for a path naming a local file: not a UNC, device or object path ("\\server\...",
// "\\.\...", "\\?\...", "\??\..."), not a URL, no character that no file name holds (wildcards,
// quotes, control characters), not a reserved device name such as CON or COM1.
bool IsLocalFilePath(std::string_view path);

// The file's bytes, read with the path as given (ANSI on Windows). Nothing for a path that is
// not local, a file that cannot be opened or read, one that is not a plain disk file on a local
// volume (a pipe, a device, a network share, a link), or one longer than MaxPictureFileBytes.
// Throws std::bad_alloc.
std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& path);

// The bytes that read(buffer, count) gives until it gives 0; nothing when it fails (gives a
// negative count) or the bytes run beyond MaxPictureFileBytes. Throws std::bad_alloc.
using TReadSome = std::function<int64_t(uint8_t* buffer, size_t count)>;
std::optional<std::vector<uint8_t>> ReadBoundedBytes(const TReadSome& read);

