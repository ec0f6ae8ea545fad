// The pages the slideshow shows: a blank black page when it starts and one page per picture,
// each carrying the transition the page view plays when it leaves that page. Page texts are
// byte strings in the system's ANSI code page, without any line break.
#pragma once

#include <cstdint>
#include <string>

// The Page-Exit tag for effect index `effect`: 23 the cross-fade; 24 a fresh draw of Random(23)
// from the process-wide generator, giving the cross-fade for 0 and the random reveal pattern (23)
// otherwise; any other value the reveal pattern of that number, in decimal, unchecked.
std::string ChooseExitMeta(int32_t effect);

// Whether the picture fills the window's height or its width: its width scaled to the window's
// height, H / ph * pw in extended precision rounded half to even, below W gives the height
// attribute, else the width attribute. A picture of height 0 gives the width attribute.
const char* FitAttribute(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight);

// The page shown before the first picture: black, with the exit tag.
std::string BlankPageText(const std::string& exitMeta);

// The page of one picture: a borderless table one pixel larger than the window, its one cell the
// window's size, the picture centred in it at 100% of the fitted side. The path goes in unchanged.
std::string PicturePageText(const std::string& exitMeta, int32_t windowWidth, int32_t windowHeight,
                            const std::string& picturePath, const std::string& fitAttribute);
