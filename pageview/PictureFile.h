// Reading the picture file a page names: local files only, of bounded length.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/JpegDecoder.h"

// True for a path naming a local file: not a UNC or device path ("\\server\...", "\\.\..."),
// not a URL, not a reserved device name such as CON or COM1.
bool IsLocalFilePath(std::string_view path);

// The file's bytes, read with the path as given (ANSI on Windows). Nothing for a path that is
// not local, a file that cannot be opened or read, or one longer than MaxPictureFileBytes.
std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& path);

