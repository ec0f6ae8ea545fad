// Where the parts of the settings dialog lie and how they grow with the monitor's DPI, and the
// About text that the dialog draws line by line. Positions are design pixels at 96 DPI, each in
// its parent's client area: the form's parts in the form, a page's parts in the page.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/Rect.h"

// `inner`, given in the client area of `outer`, in the coordinates of outer's parent.
constexpr TRect Within(const TRect& outer, const TRect& inner) {
  return {outer.Left + inner.Left, outer.Top + inner.Top, inner.Width, inner.Height};
}

// The maker's name: the link labels' caption and the About lines they cover.
inline constexpr std::string_view MakerName = "Tarnwell";

// The dialog's controls are numbered by kind and component number, so that a driver can find them.
enum TConfigControlId : int32_t {
  ImageIdBase = 100,       // PreviewImage is 101, ..., TipsBannerImage is 114
  StaticTextIdBase = 200,  // PhotosCredit is 201, CodingCredit 205
  ButtonIdBase = 300,      // DonateButton is 301, OkButton (OK) 309, CancelButton (Cancel) 310
  PageTabsId = 401,
  SheetIdBase = 410,       // OptionsSheet is 411, ..., TipsSheet is 414
  EffectListId = 501,
  GroupBoxIdBase = 600,    // TransitionGroup is 604, InfoGroup 610
};

namespace ConfigLayout {

inline constexpr int32_t ClientWidth = 513;
inline constexpr int32_t ClientHeight = 401;
inline constexpr int32_t FontPoints = 8;

// On the form.
inline constexpr TRect PageTabs{5, 5, 502, 354};
inline constexpr TRect ButtonPanel{0, 360, 513, 41};
inline constexpr TRect OkButton = Within(ButtonPanel, {332, 8, 83, 25});
inline constexpr TRect CancelButton = Within(ButtonPanel, {424, 8, 83, 25});

// Page "Options".
inline constexpr TRect TransitionGroup{4, 3, 485, 54};
// The closed drop-down's height follows the font; this is its design width and place.
inline constexpr TRect EffectList = Within(TransitionGroup, {10, 20, 447, 21});
inline constexpr int32_t ComboVisibleItems = 20;
inline constexpr TRect InfoGroup{4, 60, 485, 261};
// The preview sizes itself to its picture; this is where it starts.
inline constexpr TRect PreviewImage = Within(InfoGroup, {12, 14, 445, 241});

// Pages "Links" and "Tips": the banners.
inline constexpr TRect LinksBannerImage{4, 8, 486, 313};
inline constexpr TRect TipsBannerImage{4, 8, 486, 313};

// Page "About".
inline constexpr TRect AboutShape4{4, 8, 486, 310};
inline constexpr TRect Memo1{6, 32, 323, 273};
inline constexpr int32_t AboutLineHeight = 13;
inline constexpr TRect PhotosCredit{124, 201, 89, 17};
inline constexpr TRect CodingCredit{124, 240, 89, 17};
inline constexpr TRect LogoImage{344, 100, 100, 100};
inline constexpr TRect DonateButton{344, 229, 100, 25};

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
    MakerName,  // under PhotosCredit
    "",
    "C o d i n g ,   D e s i g n",
    MakerName,  // under CodingCredit
    "",
    "C o p y r i g h t",
    "(c) 2007 Tarnwell, photographs by their authors",
};

// The design rectangle of About line `line` (0-based) in the page.
constexpr TRect AboutLineRect(int32_t line) {
  const TRect& memo = ConfigLayout::Memo1;
  return {memo.Left, memo.Top + line * ConfigLayout::AboutLineHeight, memo.Width, ConfigLayout::AboutLineHeight};
}
