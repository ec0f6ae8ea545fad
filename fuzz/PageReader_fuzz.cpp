// libFuzzer target: the page reader on arbitrary bytes. It must never read outside them, and
// whatever it returns must be a page the view can draw.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pageview/PageReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TPage page = ReadPage(bytes);
  const bool exitSane = page.Exit.Kind == TTransitionKind::Cut
                            ? page.Exit.DurationSeconds == 0.0
                            : page.Exit.DurationSeconds > 0.0 && page.Exit.Pattern >= 0 && page.Exit.Pattern <= 23;
  const bool cellSane = (page.CellWidth == 0) == (page.CellHeight == 0) && page.CellWidth >= 0 &&
                        page.CellWidth <= MaxCellSide && page.CellHeight <= MaxCellSide;
  if (!exitSane || !cellSane || page.PictureSrc.size() > size) std::abort();
  ReadExitTransition(bytes);
  return 0;
}
