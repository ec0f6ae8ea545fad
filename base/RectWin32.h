// The program's rectangles where the system takes or gives a RECT (left, top, right, bottom).
#pragma once

#include <windows.h>

#include "base/Rect.h"

inline RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right(), r.Bottom()}; }
inline TRect FromRECT(const RECT& r) {
  return TRect::FromEdges(static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), static_cast<int32_t>(r.right),
                          static_cast<int32_t>(r.bottom));
}
