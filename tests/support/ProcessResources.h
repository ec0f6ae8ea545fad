// What a process holds of the system, counted from inside it: GDI objects, USER objects, kernel
// handles and private bytes. Windows counts the first three itself; Wine answers 0 for each, so
// there they are counted by probing every handle value (Wine takes a handle's low word as the
// handle). Private bytes are the committed private pages, summed over the address space, which
// both give.
#pragma once

#include <windows.h>

#include <cstdint>

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

// Windows of this process (the USER objects a session makes and drops).
inline uint32_t CountUserObjects() {
  if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return counted;
  uint32_t count = 0;
  const DWORD self = GetCurrentProcessId();
  for (uintptr_t value = 1; value <= 0xFFFF; ++value) {
    HWND window = reinterpret_cast<HWND>(value);
    DWORD owner = 0;
    if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == self) ++count;
  }
  return count;
}

inline uint32_t CountHandles() {
  DWORD counted = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted != 0) return counted;
  uint32_t count = 0;
  DWORD flags = 0;
  for (uintptr_t value = 4; value <= 0x20000; value += 4)
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
