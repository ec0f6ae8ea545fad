// One page, one frame: the page's picture file through the photograph pipeline.
#include "pageview/PageRender.h"

#include <new>
#include <optional>
#include <vector>

#include "imaging/PicturePipeline.h"
#include "pageview/PictureFile.h"

TFrame RenderPage(const TPage& page, int32_t viewWidth, int32_t viewHeight) noexcept {
  try {
    std::optional<std::vector<uint8_t>> bytes;
    if (page.HasPicture()) bytes = ReadPictureFile(page.PictureSrc);
    return PhotographFrame(bytes ? bytes->data() : nullptr, bytes ? bytes->size() : 0,
                           {page.CellWidth, page.CellHeight, page.Fit}, viewWidth, viewHeight, page.Background);
  } catch (const std::bad_alloc&) {
    return {};  // the picture file's bytes did not fit in memory
  }
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
