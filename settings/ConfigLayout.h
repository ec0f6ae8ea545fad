// Where the parts of the settings dialog lie and how they grow with the monitor's DPI, and the
// About text that the dialog draws line by line. Positions are design pixels at 96 DPI, each in
// its parent's client area: the form's parts in the form, a page's parts in the page.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/Rect.h"

// A part of the dialog in its parent's client area.
using TLayoutRect = TRect;

// `inner`, given in the client area of `outer`, in the coordinates of outer's parent.
constexpr TLayoutRect Within(const TLayoutRect& outer, const TLayoutRect& inner) {
  return {outer.Left + inner.Left, outer.Top + inner.Top, inner.Width, inner.Height};
}

inline constexpr int32_t DesignDpi = 96;

// Design pixels at `dpi`, rounded to the nearest pixel with halves away from zero (as MulDiv).
int32_t ScaleToDpi(int32_t designPixels, int32_t dpi);
// A rectangle at `dpi`. Its edges are scaled rather than its size, so parts that touch or share
// an edge in the design still do at every DPI, and a part inside another stays inside.
TLayoutRect ScaleToDpi(const TLayoutRect& design, int32_t dpi);

// The maker's name: the link labels' caption and the About lines they cover.
inline constexpr std::string_view MakerName = "Tarnwell";

// The dialog's controls are numbered by kind and component number, so that a driver can find them.
enum TConfigControlId : int32_t {
  ImageIdBase = 100,       // Image1 is 101, ..., Image14 is 114
  StaticTextIdBase = 200,  // StaticText1 is 201, StaticText5 205
  ButtonIdBase = 300,      // Button1 is 301, Button9 (OK) 309, Button10 (Cancel) 310
  PageControl1Id = 401,
  SheetIdBase = 410,       // t1 is 411, ..., t4 is 414
  ComboEffektId = 501,
  GroupBoxIdBase = 600,    // GroupBox4 is 604, GroupBox10 610
};

namespace ConfigLayout {

inline constexpr int32_t ClientWidth = 513;
inline constexpr int32_t ClientHeight = 401;
inline constexpr int32_t FontPoints = 8;

// On the form.
inline constexpr TLayoutRect PageControl1{5, 5, 502, 354};
inline constexpr TLayoutRect Panel1{0, 360, 513, 41};
inline constexpr TLayoutRect Button9 = Within(Panel1, {332, 8, 83, 25});
inline constexpr TLayoutRect Button10 = Within(Panel1, {424, 8, 83, 25});

// Page "Options".
inline constexpr TLayoutRect GroupBox4{4, 3, 485, 54};
// The closed drop-down's height follows the font; this is its design width and place.
inline constexpr TLayoutRect comboEffekt = Within(GroupBox4, {10, 20, 447, 21});
inline constexpr int32_t ComboVisibleItems = 20;
inline constexpr TLayoutRect GroupBox10{4, 60, 485, 261};
// The preview sizes itself to its picture; this is where it starts.
inline constexpr TLayoutRect Image1 = Within(GroupBox10, {12, 14, 445, 241});

// Pages "Links" and "Tips": the banners.
inline constexpr TLayoutRect Image2{4, 8, 486, 313};
inline constexpr TLayoutRect Image14{4, 8, 486, 313};

// Page "About".
inline constexpr TLayoutRect AboutShape4{4, 8, 486, 310};
inline constexpr TLayoutRect Memo1{6, 32, 323, 273};
inline constexpr int32_t AboutLineHeight = 13;
inline constexpr TLayoutRect StaticText1{124, 201, 89, 17};
inline constexpr TLayoutRect StaticText5{124, 240, 89, 17};
inline constexpr TLayoutRect Image10{344, 100, 100, 100};
inline constexpr TLayoutRect Button1{344, 229, 100, 25};

}  // namespace ConfigLayout

// The About text, centred in Memo1, one line every AboutLineHeight design pixels from its top.
inline constexpr std::array<std::string_view, 20> AboutLines = {
    "N a m e",
    "Tarnwell - Lumivale Nature",
    "",
    "V e r s i o n",
    "2.00 - LN50",
    "",
    "R e l e a s e",
    "2007-05-23",
    "",
    "S t a t u s",
    "Freeware",
    "",
    "F o t o s",
    MakerName,  // under StaticText1
    "",
    "C o d i n g ,   D e s i g n",
    MakerName,  // under StaticText5
    "",
    "C o p y r i g h t",
    "(c) 2007 Tarnwell, photographs by their authors",
};

// The design rectangle of About line `line` (0-based) in the page.
constexpr TLayoutRect AboutLineRect(int32_t line) {
  const TLayoutRect& memo = ConfigLayout::Memo1;
  return {memo.Left, memo.Top + line * ConfigLayout::AboutLineHeight, memo.Width, ConfigLayout::AboutLineHeight};
}
