// How one picture gives way to the next: a cut, a cross-fade or a reveal pattern, and how long
// it takes. The slideshow decides it; the page text carries it; the views play it.
#pragma once

#include <cstdint>

enum class TTransitionKind : uint8_t {
  Cut,     // no transition: the new frame replaces the old one at once
  Fade,    // cross-fade
  Reveal,  // reveal pattern 0 to 22, or 23 for one of them chosen at random
};

struct TExitTransition {
  TTransitionKind Kind = TTransitionKind::Cut;
  int32_t Pattern = 0;           // Reveal only: 0 to 22 a pattern, 23 the random choice
  double DurationSeconds = 0.0;  // > 0 whenever Kind is not Cut

  friend bool operator==(const TExitTransition&, const TExitTransition&) = default;
};
