// The transition effects the user can choose, in the order of their effect index: the number
// stored as the setting "Effect" and turned into a page transition by the slideshow.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// 0 to 22 are the reveal patterns, numbered as the page view numbers them.
inline constexpr std::array<std::string_view, 25> EffectNames = {
    "Box in",
    "Box out",
    "Circle in",
    "Circle out",
    "Wipe up",
    "Wipe down",
    "Wipe right",
    "Wipe left",
    "Vertical blinds",
    "Horizontal blinds",
    "Checkerboard across",
    "Checkerboard down",
    "Random dissolve",
    "Split vertical in",
    "Split vertical out",
    "Split horizontal in",
    "Split horizontal out",
    "Strips left down",
    "Strips left up",
    "Strips right down",
    "Strips right up",
    "Random bars horizontal",
    "Random bars vertical",
    "Fade",
    "Random",
};

inline constexpr int32_t FadeEffect = 23;    // the cross-fade
inline constexpr int32_t RandomEffect = 24;  // a fresh choice for every page
inline constexpr int32_t DefaultEffect = FadeEffect;
