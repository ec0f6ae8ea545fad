// What one picture change decides, as values: the transition that leads out of the picture for
// the effect setting, and the side of the window the picture is fitted to. The saver window's page
// text carries both; each other monitor's window decides its own with the same functions (its
// transitions from a generator of its own) and draws them itself.
#pragma once

#include <cstdint>
#include <functional>

#include "imaging/Layout.h"
#include "transitions/ExitTransition.h"

// How long every transition of the slideshow lasts.
inline constexpr double TransitionSeconds = 3.0;

// A number below n from one generator: the process-wide one for the primary monitor, the other
// monitors' own for theirs.
using TDraw = std::function<uint32_t(uint32_t n)>;

// The transition for effect index `effect`: 23 the cross-fade; 24 one draw(23), giving the
// cross-fade for 0 and the random reveal pattern (23) otherwise; any other value the reveal
// pattern of that number, unchecked.
TExitTransition ChooseExit(int32_t effect, const TDraw& draw);
// The primary's choice, drawn from the process-wide generator.
TExitTransition ChooseExit(int32_t effect);
// The side of the window a picture is fitted to: ChooseFit (imaging/Layout.h).
