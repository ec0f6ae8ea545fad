// What a process holds of the system, counted from inside it: GDI objects, USER objects, kernel
// handles and private bytes. Windows counts the first three itself; Wine answers 0 for each, so
// there GDI objects and kernel handles are counted by probing handle values (Wine takes a
// handle's low word as the handle), and windows by walking every window tree. Private bytes are
// the committed private pages, summed over the address space, which both give.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

struct TProcessResources {
  uint32_t GdiObjects = 0;
  uint32_t UserObjects = 0;
  uint32_t Handles = 0;
  uint64_t PrivateBytes = 0;
};

inline uint32_t CountGdiObjects() {
  if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
  uint32_t count = 0;
  for (uintptr_t value = 1; value <= 0xFFFF; ++value)
    count += GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0;
  return count;
}

// Windows of this process (the USER objects a session makes and drops): the desktop's and the
// message-only windows and all their descendants.
inline uint32_t CountUserObjects() {
  if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return counted;
  std::vector<HWND> windows;
  const WNDENUMPROC collect = [](HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  };
  EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr));) windows.push_back(window);
  for (size_t roots = windows.size(), i = 0; i < roots; ++i) EnumChildWindows(windows[i], collect, reinterpret_cast<LPARAM>(&windows));
  const DWORD self = GetCurrentProcessId();
  return static_cast<uint32_t>(std::count_if(windows.begin(), windows.end(), [&](HWND window) {
    DWORD owner = 0;
    return GetWindowThreadProcessId(window, &owner) && owner == self;
  }));
}

// Wine hands out the lowest free handle value, four apart: the first 4,096 values hold every
// handle of a test process, and a leak shows long before it would pass them.
inline uint32_t CountHandles() {
  DWORD counted = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted != 0) return counted;
  uint32_t count = 0;
  DWORD flags = 0;
  for (uintptr_t value = 4; value <= 4 * 4096; value += 4)
    count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
  return count;
}

inline uint64_t CountPrivateBytes() {
  uint64_t bytes = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
       at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) bytes += info.RegionSize;
    if (info.RegionSize == 0) break;
  }
  return bytes;
}

inline TProcessResources ProcessResources() {
  return {CountGdiObjects(), CountUserObjects(), CountHandles(), CountPrivateBytes()};
}
