// Decoding, layout and resampling of one photograph, put together once.
#include "imaging/PicturePipeline.h"

#include <new>

#include "imaging/JpegDecoder.h"
#include "imaging/Resample.h"

TPictureDrawn DrawPhotograph(const uint8_t* data, size_t size, const TPictureCell& cell, TFrame& frame) noexcept {
  try {
    TJpegDecoder decoder(data, size);
    if (!decoder.Valid()) return decoder.OutOfMemory() ? TPictureDrawn::OutOfMemory : TPictureDrawn::NoPicture;
    const TPictureRect placed = LayoutPicture(cell.Width, cell.Height, decoder.Width(), decoder.Height(), cell.Fit);
    // The cell hides what overflows it; the frame hides what lies beyond its own edges.
    const TPictureRect visible = Intersect(Intersect(placed, TPictureRect{0, 0, cell.Width, cell.Height}),
                                           TPictureRect{0, 0, frame.Width, frame.Height});
    if (visible.Empty()) return TPictureDrawn::NoPicture;
    const TFrame picture = decoder.Decode(placed.Width, placed.Height);
    if (picture.Pixels.empty())
      return decoder.OutOfMemory() ? TPictureDrawn::OutOfMemory : TPictureDrawn::NoPicture;
    return DrawResampled(picture, placed, visible, frame) ? TPictureDrawn::Drawn : TPictureDrawn::OutOfMemory;
  } catch (const std::bad_alloc&) {
    return TPictureDrawn::OutOfMemory;
  }
}

TFrame PhotographFrame(const uint8_t* data, size_t size, const TPictureCell& cell, int32_t width, int32_t height,
                       uint32_t background) noexcept {
  if (width <= 0 || height <= 0) return {};
  TFrame frame;
  try {
    frame = TFrame(width, height, background);
  } catch (const std::bad_alloc&) {
    return {};
  }
  if (data == nullptr) return frame;
  if (DrawPhotograph(data, size, cell, frame) == TPictureDrawn::OutOfMemory) return {};
  return frame;
}

TFrame PreparePicture(const uint8_t* data, size_t size, int32_t width, int32_t height) noexcept {
  if (width <= 0 || height <= 0 || static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > MaxPicturePixels)
    return {};
  TFrame result;
  try {
    result = TFrame(width, height, TFrame::Undefined);  // the resampler writes every pixel
  } catch (const std::bad_alloc&) {
    return {};
  }
  if (DrawPhotograph(data, size, {width, height, TFit::Stretch}, result) != TPictureDrawn::Drawn) return {};
  return result;
}
