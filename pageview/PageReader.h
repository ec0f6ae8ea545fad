// Reads a page file into the few facts the page view honours: the exit transition, the
// background colour, the cell size and the picture with its fit. Anything it cannot read falls
// back to a black page without transition; it never reads outside the given bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/Layout.h"
#include "transitions/ExitTransition.h"

struct TPage {
  TExitTransition Exit;
  uint32_t Background = 0xFF000000u;  // 0xFFRRGGBB, the body's bgcolor
  int32_t CellWidth = 0;              // the table cell, 0 x 0 when the page has none
  int32_t CellHeight = 0;
  std::string PictureSrc;             // the img's src as written (ANSI bytes), empty for none
  TFit Fit = TFit::None;

  bool HasPicture() const { return !PictureSrc.empty() && CellWidth > 0 && CellHeight > 0; }
};

// Pages larger than this are not the session's pages; they read as a black page.
inline constexpr size_t MaxPageBytes = 64 * 1024;

TPage ReadPage(std::string_view bytes);

// Reads the file at the path as given (ANSI, no URL decoding). A file that is missing,
// unreadable or larger than MaxPageBytes gives the black page.
TPage ReadPageFile(const std::string& path);

// The transition named by a Page-Exit tag's content, e.g. "revealTrans(Duration=3,transition=5)".
// Kind Cut when the text is not one the view can play.
TExitTransition ReadExitTransition(std::string_view content);
