// The pages' exit transitions as values and as the Page-Exit tags the session writes for them:
// the cross-fade and a reveal of any number, 23 included (the session writes it only after a
// random draw).
#pragma once

#include <cstdint>
#include <string>

#include "slides/PageText.h"
#include "slides/PictureChange.h"

inline const TExitTransition FadeExit = ChooseExit(23);
inline TExitTransition RevealExit(int32_t pattern) { return {TTransitionKind::Reveal, pattern, TransitionSeconds}; }

inline const std::string FadeTag = ExitMeta(FadeExit);
inline std::string RevealTag(int32_t pattern) { return ExitMeta(RevealExit(pattern)); }
