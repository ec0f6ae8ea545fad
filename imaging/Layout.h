// Where a picture lands in its cell: scaled to the cell's width or height with its aspect kept,
// or at its own size, and centred in both directions (the letterboxed "contain" fit); or
// stretched over the whole cell.
#pragma once

#include <cstdint>

#include "base/Rect.h"

// Which side of the cell the picture is scaled to (as a page's picture asks for it);
// None shows it at its own size. Contain scales it to the side ChooseFit picks, so that all of it
// shows; Stretch makes it exactly the cell's size, its aspect not kept.
enum class TFit : uint8_t { None, Width, Height, Contain, Stretch };

// Cell sides beyond this are not a window's size; such a cell reads as missing.
inline constexpr int32_t MaxCellSide = 32767;

// A rectangle in frame pixels; Left and Top may be negative when the picture overflows its cell.
using TPictureRect = TRect;

// The picture's rectangle in a cell whose top-left corner is the frame's origin. The scaled side
// is rounded to the nearest pixel, halves to even; an odd leftover puts the extra pixel of the
// bars on the right or at the bottom. Sides must be positive (cell at most MaxCellSide, picture
// at most 65535); anything else gives an empty rectangle.
TPictureRect LayoutPicture(int32_t cellWidth, int32_t cellHeight, int32_t pictureWidth,
                           int32_t pictureHeight, TFit fit);

// Whether the picture fills the window's height or its width: its width scaled to the window's
// height, H / ph * pw in extended precision rounded half to even, below W fits the height, else
// the width. A picture of height 0 fits the width.
TFit ChooseFit(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight);

// The part of a that lies inside b (empty when they do not meet).
TPictureRect Intersect(const TPictureRect& a, const TPictureRect& b);
