// Where the password libraries are loaded from: the system directory, never the program's own
// folder or the current directory, unless the system cannot name its directory at all.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The system's directory query as GetSystemDirectoryA answers it: given a buffer of `size`
// characters, returns the text's length when it fits (the buffer then holds it), the size the
// buffer needs (terminating NUL included) when it does not, and 0 on failure.
using TSystemDirectoryQuery = std::function<uint32_t(char* buffer, uint32_t size)>;

// The library's full path: the system directory, a backslash unless the directory is empty or
// already ends in one, then `fileName`. The query is asked with a buffer of 260 characters, and
// once more with the size it asks for when that is too small. When the query fails, the bare
// file name is returned and the system's library search decides where it is found.
std::string SystemLibraryPath(const TSystemDirectoryQuery& query, const std::string& fileName);
