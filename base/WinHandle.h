// Move-only owners of the system's handles: each closes its handle exactly once, on every path.
#pragma once

#include <windows.h>

#include <utility>

// Traits: `Type`, `Invalid()` and `Close(handle)`.
template <typename Traits>
class TOwnedHandle {
public:
  using T = typename Traits::Type;
  TOwnedHandle() = default;
  explicit TOwnedHandle(T handle) : FHandle(handle) {}
  ~TOwnedHandle() { Reset(); }
  TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, Traits::Invalid())) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      FHandle = std::exchange(other.FHandle, Traits::Invalid());
    }
    return *this;
  }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;

  T Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != Traits::Invalid(); }
  void Reset(T handle = Traits::Invalid()) {
    if (FHandle != Traits::Invalid()) Traits::Close(FHandle);
    FHandle = handle;
  }

private:
  T FHandle = Traits::Invalid();
};

struct TKernelHandleTraits {
  using Type = HANDLE;
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct TFileHandleTraits {
  using Type = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct TGdiBitmapTraits {
  using Type = HBITMAP;
  static HBITMAP Invalid() { return nullptr; }
  static void Close(HBITMAP h) { DeleteObject(h); }
};
struct TMemoryDCTraits {
  using Type = HDC;
  static HDC Invalid() { return nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};
struct TModuleHandleTraits {
  using Type = HMODULE;
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE h) { FreeLibrary(h); }
};

using TKernelHandle = TOwnedHandle<TKernelHandleTraits>;  // events, timers, processes
using TFileHandle = TOwnedHandle<TFileHandleTraits>;
using TGdiBitmap = TOwnedHandle<TGdiBitmapTraits>;
using TMemoryDC = TOwnedHandle<TMemoryDCTraits>;
using TModuleHandle = TOwnedHandle<TModuleHandleTraits>;
