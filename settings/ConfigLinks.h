// The web pages the settings dialog opens in the user's browser, and which control opens which:
// fifteen clickable controls share twelve handlers, each with its own address.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/ConfigLayout.h"

enum class TLinkHandler : uint8_t {
  PreviewClick,       // the gallery page of this picture set (English)
  Image3Click,       // start page of the maker's freeware site
  CodingCreditClick,  // the maker's home page
  Image5Click,       // start page of the maker's photo blog
  Image6Click,       // start page of the maker's wallpaper site
  Image7Click,       // the freeware site's list of screen savers
  Image8Click,       // the freeware site's list of free programs
  PhotosCreditClick,  // the maker's home page, English start page
  DonateButtonClick,      // the donation page (English)
  Image13Click,      // the page of the maker's free decompression tool
  Image12Click,      // the gallery page of another picture-set screen saver
  Image11Click,      // the gallery page (English) of a further picture-set screen saver
};
inline constexpr size_t LinkHandlerCount = 12;

// The base address chosen at build time, ending with "/"; it is the maker's home page.
std::string WebBaseAddress();
// The handler's page: the base address followed by the page's path.
std::string LinkAddress(TLinkHandler handler);

// A transparent click area over a banner, in its page's coordinates. Its name, what a screen
// reader says for it, begins with the text the banner shows there.
struct TClickArea {
  int32_t ImageNumber;  // the component is Image<n>, control id ImageIdBase + n
  TRect Rect;
  TLinkHandler Handler;
  std::string_view Name;
};

// The names of the other links that are no buttons: the preview picture, the two name lines of
// the About text (their own text first) and the logo.
inline constexpr std::string_view PreviewLinkName = "Lumivale Nature: these photographs on the web (English)";
inline constexpr std::string_view PhotosCreditLinkName = "Tarnwell: photographs (English home page)";
inline constexpr std::string_view CodingCreditLinkName = "Tarnwell: coding and design (home page)";
inline constexpr std::string_view LogoLinkName = "Tarnwell logo (home page)";

// Over the Links banner: four entries, two text lines below them, the tall picture on the right.
inline constexpr std::array<TClickArea, 7> LinksPageAreas = {{
    {3, {8, 16, 289, 65}, TLinkHandler::Image3Click, "Tarnwell Freeware: screen savers and small programs"},
    {4, {8, 80, 289, 65}, TLinkHandler::CodingCreditClick, "Tarnwell: the maker's home page"},
    {5, {8, 144, 289, 65}, TLinkHandler::Image5Click, "Tarnwell Photo Blog: a new photograph every week"},
    {6, {8, 208, 289, 65}, TLinkHandler::Image6Click, "Tarnwell Wallpapers: desktop pictures"},
    {7, {8, 272, 289, 22}, TLinkHandler::Image7Click, "More screen savers at Tarnwell Freeware"},
    {8, {8, 294, 289, 22}, TLinkHandler::Image8Click, "More free programs at Tarnwell Freeware"},
    {9, {296, 16, 193, 305}, TLinkHandler::Image5Click, "Tarnwell Photo Blog (picture)"},
}};

// Over the Tips banner: the large tip above, two small ones below.
inline constexpr std::array<TClickArea, 3> TipsPageAreas = {{
    {13, {16, 14, 465, 137}, TLinkHandler::Image13Click, "Tarnwell Unpack: download the free decompression tool"},
    {12, {16, 176, 217, 137}, TLinkHandler::Image12Click, "Tarnwell - Coastline: fifty photographs of the sea"},
    {11, {256, 176, 225, 137}, TLinkHandler::Image11Click, "Tarnwell - Highlands: mountains and valleys (English)"},
}};
