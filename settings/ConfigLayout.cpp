// Scaling the settings dialog's design pixels to the monitor's DPI.
#include "settings/ConfigLayout.h"

int32_t ScaleToDpi(int32_t designPixels, int32_t dpi) {
  const int64_t product = static_cast<int64_t>(designPixels) * dpi;
  const int64_t half = DesignDpi / 2;
  const int64_t scaled = product >= 0 ? (product + half) / DesignDpi : -((-product + half) / DesignDpi);
  return static_cast<int32_t>(scaled);
}

TLayoutRect ScaleToDpi(const TLayoutRect& design, int32_t dpi) {
  const int32_t left = ScaleToDpi(design.Left, dpi);
  const int32_t top = ScaleToDpi(design.Top, dpi);
  return {left, top, ScaleToDpi(design.Right(), dpi) - left, ScaleToDpi(design.Bottom(), dpi) - top};
}
