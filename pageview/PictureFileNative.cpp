// The picture file a page names, read by the standard library where there is no Windows (the
// tools and the unit tests).
#include <fstream>

#include "pageview/PictureFile.h"

std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& path) {
  if (!IsLocalFilePath(path)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return ReadBoundedBytes([&file](uint8_t* buffer, size_t count) -> int64_t {
    file.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(count));
    return file.bad() ? -1 : static_cast<int64_t>(file.gcount());
  });
}
