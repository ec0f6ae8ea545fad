// Building a system library's path from the system directory.
#include "host/SystemLibrary.h"

namespace {

constexpr uint32_t PathBufferSize = 260;

// The directory text, empty when the query fails (also when it keeps asking for more room).
std::string SystemDirectory(const TSystemDirectoryQuery& query) {
  std::string buffer(PathBufferSize, '\0');
  uint32_t length = query(buffer.data(), PathBufferSize);
  if (length >= PathBufferSize) {
    // A directory longer than the usual path limit: one more try with the room it asked for.
    const uint32_t needed = length;
    buffer.assign(needed, '\0');
    length = query(buffer.data(), needed);
    if (length >= needed) length = 0;
  }
  buffer.resize(length);
  return buffer;
}

}  // namespace

std::string SystemLibraryPath(const TSystemDirectoryQuery& query, const std::string& fileName) {
  std::string path = SystemDirectory(query);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + fileName;
}
