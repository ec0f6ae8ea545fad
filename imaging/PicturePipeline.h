// A photograph from its JPEG bytes to its place in a frame: decoded (libjpeg-turbo's DCT scaling
// doing most of a large reduction), laid out in its cell and resampled, in one pass that every
// view of a photograph shares. Nothing here throws; running out of memory is an answer of its own,
// so that a view can keep what it shows rather than show a plain frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/Frame.h"
#include "imaging/Layout.h"

// The cell a photograph is laid out in, at the frame's top-left corner, and how it fits the cell.
struct TPictureCell {
  int32_t Width = 0;
  int32_t Height = 0;
  TFit Fit = TFit::None;
};

enum class TPictureDrawn : uint8_t {
  Drawn,        // what shows of the picture is in the frame
  NoPicture,    // the bytes do not decode, or nothing of the picture shows: the frame is unchanged
  OutOfMemory,  // the frame is unchanged
};

// Draws the photograph in the JPEG bytes into frame: laid out in the cell as LayoutPicture does,
// and cut at the cell's and the frame's edges. Only the pixels it covers change.
TPictureDrawn DrawPhotograph(const uint8_t* data, size_t size, const TPictureCell& cell, TFrame& frame) noexcept;

// A width x height frame of background with the photograph drawn in: the plain background when
// there is no picture (null data included). Empty only when memory runs out or a side is not
// positive.
TFrame PhotographFrame(const uint8_t* data, size_t size, const TPictureCell& cell, int32_t width, int32_t height,
                       uint32_t background = 0xFF000000u) noexcept;

// The photograph resampled to exactly width x height, its aspect not kept. Empty when it does
// not decode, when memory runs out, or for a size the layout refuses.
TFrame PreparePicture(const uint8_t* data, size_t size, int32_t width, int32_t height) noexcept;
