// The picture file a page names: only a plain local path is opened, and only so much of it is read.
#include "pageview/PictureFile.h"

#include <cctype>

namespace {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool IsDeviceName(std::string_view name) {
  // The part before the first dot and trailing blanks decides: "nul.jpg" and "COM1 " are devices.
  name = name.substr(0, name.find('.'));
  while (!name.empty() && (name.back() == ' ' || name.back() == ':')) name.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (SameText(name, device)) return true;
  if (name.size() == 4 && (SameText(name.substr(0, 3), "COM") || SameText(name.substr(0, 3), "LPT")))
    return name[3] >= '0' && name[3] <= '9';
  return false;
}

}  // namespace

bool IsLocalFilePath(std::string_view path) {
  auto isSlash = [](char c) { return c == '\\' || c == '/'; };
  if (path.empty()) return false;
  if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) return false;
  // No file name holds these; "\??\" (the system's object names: pipes, other machines'
  // shares, any device) is refused with them. None is the second byte of a double-byte ANSI
  // character ('|' and '\' can be).
  for (char c : path)
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("?*\"<>").find(c) != std::string_view::npos)
      return false;
  // A colon is allowed only after a drive letter.
  size_t colon = path.find(':');
  if (colon != std::string_view::npos) {
    bool driveLetter = colon == 1 && std::isalpha(static_cast<unsigned char>(path[0]));
    if (!driveLetter || path.find(':', colon + 1) != std::string_view::npos) return false;
  }
  size_t nameStart = path.find_last_of("\\/");
  std::string_view name = path.substr(nameStart == std::string_view::npos ? 0 : nameStart + 1);
  if (colon == 1 && nameStart == std::string_view::npos) name.remove_prefix(2);
  return !name.empty() && !IsDeviceName(name);
}

std::optional<std::vector<uint8_t>> ReadBoundedBytes(const TReadSome& read) {
  std::vector<uint8_t> bytes;
  constexpr size_t chunk = 1u << 20;
  while (bytes.size() <= MaxPictureFileBytes) {
    const size_t have = bytes.size();
    bytes.resize(have + chunk);
    const int64_t got = read(bytes.data() + have, chunk);
    if (got < 0) return std::nullopt;
    bytes.resize(have + static_cast<size_t>(got));
    if (got == 0) break;
  }
  if (bytes.size() > MaxPictureFileBytes) return std::nullopt;
  return bytes;
}
