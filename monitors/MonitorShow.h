// The slideshow on the monitors beside the primary one: which picture each shows next and with
// which transition, drawn from a generator of their own (the process-wide one belongs to the
// primary's play list and effect).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "transitions/ExitTransition.h"
#include "transitions/ViewRandom.h"

class TMonitorShow {
public:
  explicit TMonitorShow(uint64_t seed) : FRandom(seed) {}

  // The next picture of each monitor beside the primary, whose current pictures are `shown`
  // (-1: none yet): numbers below SlideshowPictureCount, none the primary's new picture, none
  // another monitor's new one and none that a monitor shows now, every such number equally
  // likely. Only when that leaves nothing (more than 24 such monitors) does a monitor take what
  // another leaves, and past 49 what another takes.
  std::vector<int32_t> NextPictures(const std::vector<int32_t>& shown, int32_t primaryPicture);

  // The transition a monitor plays into its next picture for the effect setting, as the
  // primary's is chosen but drawn from this generator.
  TExitTransition NextExit(int32_t effect);

  // A seed for one transition's own random choices.
  uint64_t NextSeed() { return FRandom.Next(); }

private:
  TViewRandom FRandom;
};
