// Draws a page as the view shows it: the body's colour everywhere, and the picture scaled into
// its cell at the frame's top-left corner (the page has no margins), cut at the cell's edges.
#pragma once

#include <cstdint>

#include "imaging/Frame.h"
#include "imaging/Layout.h"
#include "pageview/PageReader.h"

// A viewWidth x viewHeight frame of the page. The picture file is read afresh from
// page.PictureSrc; a picture that cannot be read or decoded leaves the page plain. An empty
// frame when memory runs out (the view then keeps what it shows) or a side is not positive.
TFrame RenderPage(const TPage& page, int32_t viewWidth, int32_t viewHeight) noexcept;

// Where the transition from the leaving page to the next one is laid: over what the view shows
// of the next page's cell (the leaving page's when the next has none), at the frame's origin, so
// that its patterns are centred on and sized to the picture's window, not to the whole view.
// With no cell on either page, the whole view. Beyond the cell both pages show only their
// background.
TRect TransitionArea(const TPage& leaving, const TPage& next, int32_t viewWidth, int32_t viewHeight);
