// The pages the slideshow shows: a blank black page when it starts and one page per picture,
// each carrying the transition the page view plays when it leaves that page. Page texts are
// byte strings in the system's ANSI code page, without any line break.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/Layout.h"
#include "transitions/ExitTransition.h"

// The Page-Exit tag that names exit: blendTrans for the fade, revealTrans with the pattern in
// decimal (unchecked) for a reveal, no tag for a cut.
std::string ExitMeta(const TExitTransition& exit);

// The img attribute that fits the picture to the cell's height or width.
const char* FitAttribute(TFit fit);

// The page shown before the first picture: black, with the exit tag.
std::string BlankPageText(const TExitTransition& exit);

// The page of one picture: a borderless table one pixel larger than the window, its one cell the
// window's size, the picture centred in it at 100% of the fitted side. The path goes in unchanged.
std::string PicturePageText(const TExitTransition& exit, int32_t windowWidth, int32_t windowHeight,
                            const std::string& picturePath, TFit fit);
