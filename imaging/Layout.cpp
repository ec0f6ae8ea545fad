// The picture's place in its cell: the side it is fitted to, then its rectangle in exact integer
// arithmetic.
#include "imaging/Layout.h"

#include <algorithm>
#include <cmath>

namespace {

// numerator / denominator rounded to nearest, halves to the even integer (both positive).
int64_t DivideRounded(int64_t numerator, int64_t denominator) {
  int64_t quotient = numerator / denominator;
  int64_t twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
    ++quotient;
  return quotient;
}

// Centres a side of the given length in the cell's side; a negative leftover centres an overflow.
int64_t Centre(int64_t cellSide, int64_t side) {
  int64_t leftover = cellSide - side;
  return leftover >= 0 ? leftover / 2 : -((-leftover + 1) / 2);
}

// Nearest integer, halves to the even one, independent of the FPU's rounding mode.
long double RoundHalfEven(long double value) {
  long double whole = std::floor(value);
  long double fraction = value - whole;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  return whole;
}

}  // namespace

TFit ChooseFit(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight) {
  // Scaled to the window's height, a picture without height would be endlessly wide.
  if (pictureHeight == 0) return TFit::Width;
  // Two roundings, as the quotient is formed first; both in the 64-bit significand of long double.
  long double quotient = static_cast<long double>(windowHeight) / pictureHeight;
  long double scaledWidth = RoundHalfEven(quotient * pictureWidth);
  return scaledWidth < windowWidth ? TFit::Height : TFit::Width;
}

TPictureRect LayoutPicture(int32_t cellWidth, int32_t cellHeight, int32_t pictureWidth,
                           int32_t pictureHeight, TFit fit) {
  if (cellWidth <= 0 || cellHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0 ||
      cellWidth > MaxCellSide || cellHeight > MaxCellSide || pictureWidth > 65535 ||
      pictureHeight > 65535)
    return {};
  if (fit == TFit::Stretch) return {0, 0, cellWidth, cellHeight};
  if (fit == TFit::Contain) fit = ChooseFit(cellWidth, cellHeight, pictureWidth, pictureHeight);
  int64_t width = pictureWidth;
  int64_t height = pictureHeight;
  if (fit == TFit::Width) {
    width = cellWidth;
    height = DivideRounded(int64_t{cellWidth} * pictureHeight, pictureWidth);
  } else if (fit == TFit::Height) {
    height = cellHeight;
    width = DivideRounded(int64_t{cellHeight} * pictureWidth, pictureHeight);
  }
  // Within the bounds above every value fits 32 bits: 32767 * 65535 < 2^31.
  return {static_cast<int32_t>(Centre(cellWidth, width)),
          static_cast<int32_t>(Centre(cellHeight, height)), static_cast<int32_t>(width),
          static_cast<int32_t>(height)};
}

TPictureRect Intersect(const TPictureRect& a, const TPictureRect& b) {
  if (a.Empty() || b.Empty()) return {};
  int64_t left = std::max<int64_t>(a.Left, b.Left);
  int64_t top = std::max<int64_t>(a.Top, b.Top);
  int64_t right = std::min<int64_t>(int64_t{a.Left} + a.Width, int64_t{b.Left} + b.Width);
  int64_t bottom = std::min<int64_t>(int64_t{a.Top} + a.Height, int64_t{b.Top} + b.Height);
  if (right <= left || bottom <= top) return {};
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
          static_cast<int32_t>(bottom - top)};
}
