// The one way the program and its tests own what they take from the system: move-only owners of
// handles, each closing its handle exactly once on every path, and scope guards for what must be
// given back where it was taken (a window's DC, a paint, an object selected into a DC).
#pragma once

#include <windows.h>

#include <functional>
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

// The traits of a handle of type T that CloseFunction closes and that is null when it holds
// nothing (or INVALID_HANDLE_VALUE, for the file-like handles).
template <typename T, auto CloseFunction, bool NoneIsInvalidHandleValue = false>
struct THandleTraits {
  using Type = T;
  static T Invalid() {
    if constexpr (NoneIsInvalidHandleValue)
      return INVALID_HANDLE_VALUE;
    else
      return nullptr;
  }
  static void Close(T handle) { CloseFunction(handle); }
};

using TPowerNotice = TOwnedHandle<THandleTraits<HPOWERNOTIFY, UnregisterPowerSettingNotification>>;
using TKernelHandle = TOwnedHandle<THandleTraits<HANDLE, CloseHandle>>;  // events, timers, processes
using TFileHandle = TOwnedHandle<THandleTraits<HANDLE, CloseHandle, true>>;
using TFindHandle = TOwnedHandle<THandleTraits<HANDLE, FindClose, true>>;  // a FindFirstFile search
using TGdiBitmap = TOwnedHandle<THandleTraits<HBITMAP, DeleteObject>>;
using TGdiObject = TOwnedHandle<THandleTraits<HGDIOBJ, DeleteObject>>;  // brushes, pens, regions
using TFont = TOwnedHandle<THandleTraits<HFONT, DeleteObject>>;
using TMemoryDC = TOwnedHandle<THandleTraits<HDC, DeleteDC>>;
using TModuleHandle = TOwnedHandle<THandleTraits<HMODULE, FreeLibrary>>;
using TRegistryKeyHandle = TOwnedHandle<THandleTraits<HKEY, RegCloseKey>>;
using TWindow = TOwnedHandle<THandleTraits<HWND, DestroyWindow>>;

// The second call of a pair whose first was made (a registration, a raised count, the mouse
// captured): it runs once, at Reset or at the end of the owner's life; an empty owner runs nothing.
class TPairedRelease {
public:
  TPairedRelease() = default;
  explicit TPairedRelease(std::function<void()> release) : FRelease(std::move(release)) {}
  ~TPairedRelease() { Reset(); }
  TPairedRelease(TPairedRelease&& other) noexcept : FRelease(std::exchange(other.FRelease, nullptr)) {}
  TPairedRelease& operator=(TPairedRelease&& other) noexcept {
    if (this != &other) {
      Reset();
      FRelease = std::exchange(other.FRelease, nullptr);
    }
    return *this;
  }
  TPairedRelease(const TPairedRelease&) = delete;
  TPairedRelease& operator=(const TPairedRelease&) = delete;

  explicit operator bool() const { return static_cast<bool>(FRelease); }
  void Reset() {
    if (auto release = std::exchange(FRelease, nullptr)) release();
  }

private:
  std::function<void()> FRelease;
};

// The mouse captured for `window` until the owner lets it go.
inline TPairedRelease CaptureMouse(HWND window) {
  SetCapture(window);
  return TPairedRelease([] { ReleaseCapture(); });
}

// The cursor hidden (its display count lowered by one) until the owner shows it again.
inline TPairedRelease HideCursor() {
  ShowCursor(FALSE);
  return TPairedRelease([] { ShowCursor(TRUE); });
}

// The cursor shown (its display count raised by one) until the owner hides it again.
inline TPairedRelease RevealCursor() {
  ShowCursor(TRUE);
  return TPairedRelease([] { ShowCursor(FALSE); });
}

// A window's device context (the screen's for a null window), released at the end of the scope.
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : FWindow(window), FDC(GetDC(window)) {}
  ~TWindowDC() {
    if (FDC != nullptr) ReleaseDC(FWindow, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
};

// One WM_PAINT: BeginPaint here, EndPaint at the end of the scope.
class TPaintDC {
public:
  explicit TPaintDC(HWND window) : FWindow(window) { BeginPaint(window, &FPaint); }
  ~TPaintDC() { EndPaint(FWindow, &FPaint); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return FPaint.hdc; }
  const RECT& Area() const { return FPaint.rcPaint; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
};

// An object selected into a DC for the length of the scope; what was selected before comes back.
class TSelectedObject {
public:
  TSelectedObject(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
  ~TSelectedObject() {
    if (FPrevious != nullptr && FPrevious != HGDI_ERROR) SelectObject(FDC, FPrevious);
  }
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;

private:
  HDC FDC;
  HGDIOBJ FPrevious;
};
