// The frame time a policy allows.
#include "display/FramePolicy.h"

#include <algorithm>

double FrameSecondsUnder(const TFramePolicy& policy, double refreshSeconds) {
  double seconds = policy.RateFraction > 0 && policy.RateFraction < 1 ? refreshSeconds / policy.RateFraction : refreshSeconds;
  if (policy.MaxFramesPerSecond > 0) seconds = std::max(seconds, 1.0 / policy.MaxFramesPerSecond);
  return seconds;
}
