// The frame a window shows: a top-down 32-bit DIB section in a memory DC that frames are drawn
// into and that the window's paint and every presented change are copied from.
#pragma once

#include <windows.h>

#include <optional>

#include "base/OwnersWin32.h"
#include "imaging/Frame.h"
#include "transitions/Compositor.h"

class TFrameSurface {
public:
  // The window it presents to; null while there is none (then it presents nothing).
  void SetWindow(HWND window) { FWindow = window; }

  // Makes the surface width x height (each at least 1). With keep, what is shown where the two
  // sizes overlap stays; everything else is black. When the system has no surface to give
  // (memory short, a monitor too large, the limit of GDI objects), there is none: the window
  // paints black until Restore makes one.
  void Resize(int width, int height, bool keep);
  // Makes a black surface of the size last asked for when there is none; whether there is one.
  bool Restore();

  bool Empty() const { return FBits == nullptr; }
  // The size last asked for; the surface's own while there is one.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  uint32_t* Row(int y) const { return FBits + static_cast<size_t>(y) * FWidth; }
  // The surface's top-left width x height corner as a target to draw into.
  TFrameTarget Target(int width, int height) const { return {FBits, width, height, FWidth}; }

  // Copies frame (of the surface's size) onto the surface and presents all of it.
  void Show(const TFrame& frame);
  // Copies the changed part of the surface to the window at once.
  void Present(const TRect& changed);
  // Answers WM_PAINT from the surface, or with black without one.
  void Paint();
  // A copy of the surface's top-left width x height corner (all of it by default); empty
  // without a surface. Throws std::bad_alloc.
  TFrame CopyOut(int width = -1, int height = -1) const;

private:
  friend struct TTestAccess;
  // The next surfaces this many Resize calls make are refused, as the system refuses them when
  // memory or its GDI objects run short.
  static inline int FRefusedSurfaces = 0;

  HWND FWindow = nullptr;
  TMemoryDC FMemoryDC;
  TGdiBitmap FBitmap;
  std::optional<TSelectedObject> FSelected;  // FBitmap in FMemoryDC
  uint32_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};
