// A window's frame in a DIB section, and presenting it.
#include "display/FrameSurfaceWin32.h"

#include <algorithm>
#include <cstring>

#include "base/RectWin32.h"
#include "base/WindowClassWin32.h"

void TFrameSurface::Resize(int width, int height, bool keep) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  TDibSection dib = FRefusedSurfaces > 0 ? (--FRefusedSurfaces, TDibSection{}) : CreateTopDownDib(width, height);
  if (!dib.Bitmap) {
    // Without a surface the window is painted black: a cut-off corner of the old one would leave
    // the rest of the window showing what lies beneath it.
    FSelected.reset();
    FBitmap.Reset();
    FBits = nullptr;
    FWidth = width;
    FHeight = height;
    if (FWindow != nullptr) InvalidateRect(FWindow, nullptr, FALSE);
    return;
  }
  std::fill(dib.Bits, dib.Bits + static_cast<size_t>(width) * height, 0xFF000000u);
  if (keep && FBits != nullptr) {
    const int w = std::min(width, FWidth), h = std::min(height, FHeight);
    for (int y = 0; y < h; ++y)
      std::memcpy(dib.Bits + static_cast<size_t>(y) * width, Row(y), static_cast<size_t>(w) * sizeof(uint32_t));
  }
  if (!FMemoryDC) FMemoryDC.Reset(CreateCompatibleDC(nullptr));
  FSelected.reset();  // the old bitmap leaves the DC before it goes
  FSelected.emplace(FMemoryDC.Get(), dib.Bitmap.Get());
  FBitmap = std::move(dib.Bitmap);
  FBits = dib.Bits;
  FWidth = width;
  FHeight = height;
}

bool TFrameSurface::Restore() {
  if (FBits == nullptr && FWidth > 0 && FHeight > 0) Resize(FWidth, FHeight, false);
  return FBits != nullptr;
}

void TFrameSurface::Show(const TFrame& frame) {
  if (FBits == nullptr || frame.Width != FWidth || frame.Height != FHeight) return;
  std::memcpy(FBits, frame.Pixels.data(), frame.Pixels.size() * sizeof(uint32_t));
  Present({0, 0, FWidth, FHeight});
}

void TFrameSurface::Present(const TRect& changed) {
  if (FWindow == nullptr || FBits == nullptr || changed.Empty()) return;
  GdiFlush();
  BitBlt(TWindowDC(FWindow).Get(), changed.Left, changed.Top, changed.Width, changed.Height, FMemoryDC.Get(),
         changed.Left, changed.Top, SRCCOPY);
}

void TFrameSurface::Paint() {
  TPaintDC paint(FWindow);
  const TRect r = FromRECT(paint.Area());
  if (FBits != nullptr)
    BitBlt(paint.Get(), r.Left, r.Top, r.Width, r.Height, FMemoryDC.Get(), r.Left, r.Top, SRCCOPY);
  else
    FillRect(paint.Get(), &paint.Area(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

TFrame TFrameSurface::CopyOut(int width, int height) const {
  if (FBits == nullptr) return {};
  width = width < 0 ? FWidth : std::min(width, FWidth);
  height = height < 0 ? FHeight : std::min(height, FHeight);
  TFrame copy(width, height, TFrame::Undefined);
  for (int y = 0; y < height; ++y) std::memcpy(copy.Row(y), Row(y), static_cast<size_t>(width) * sizeof(uint32_t));
  return copy;
}
