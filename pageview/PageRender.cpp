// One page, one frame: layout, decoding and resampling put together.
#include "pageview/PageRender.h"

#include <new>

#include "imaging/Layout.h"
#include "imaging/JpegDecoder.h"
#include "pageview/PictureFile.h"

namespace {

// Draws the page's picture into the frame, or leaves the frame as it is.
void DrawPicture(const TPage& page, TFrame& frame) {
  std::optional<std::vector<uint8_t>> bytes = ReadPictureFile(page.PictureSrc);
  if (!bytes) return;
  TJpegDecoder decoder(bytes->data(), bytes->size());
  if (!decoder.Valid()) return;

  const TPictureRect placed = LayoutPicture(page.CellWidth, page.CellHeight, decoder.Width(),
                                            decoder.Height(), page.Fit);
  // The cell hides what overflows it; the view hides what lies beyond its own edges.
  const TPictureRect cell{0, 0, page.CellWidth, page.CellHeight};
  const TPictureRect visible =
      Intersect(Intersect(placed, cell), TPictureRect{0, 0, frame.Width, frame.Height});
  if (visible.Empty()) return;

  TFrame picture = decoder.Decode(placed.Width, placed.Height);
  if (picture.Pixels.empty()) return;
  DrawResampled(picture, placed, visible, frame);
}

}  // namespace

TFrame RenderPage(const TPage& page, int32_t viewWidth, int32_t viewHeight) {
  if (viewWidth <= 0 || viewHeight <= 0) return {};
  TFrame frame(viewWidth, viewHeight, page.Background);
  if (!page.HasPicture()) return frame;
  try {
    DrawPicture(page, frame);
  } catch (const std::bad_alloc&) {
    // A picture too large for the memory left: the page stays plain, and it is written only
    // after every allocation has succeeded.
  }
  return frame;
}

TPictureRect TransitionArea(const TPage& leaving, const TPage& next, int32_t viewWidth, int32_t viewHeight) {
  const TPictureRect view{0, 0, viewWidth, viewHeight};
  for (const TPage* page : {&next, &leaving})
    if (page->CellWidth > 0 && page->CellHeight > 0) {
      const TPictureRect cell = Intersect(TPictureRect{0, 0, page->CellWidth, page->CellHeight}, view);
      if (!cell.Empty()) return cell;
    }
  return view;
}
