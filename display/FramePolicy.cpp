// The process's frame policy.
#include "display/FramePolicy.h"

#include <algorithm>

namespace {

TFramePolicy Policy;

}  // namespace

const TFramePolicy& FramePolicy() { return Policy; }
void SetFramePolicy(const TFramePolicy& policy) { Policy = policy; }

double FrameSecondsUnder(const TFramePolicy& policy, double refreshSeconds) {
  double seconds = policy.RateFraction > 0 && policy.RateFraction < 1 ? refreshSeconds / policy.RateFraction : refreshSeconds;
  if (policy.MaxFramesPerSecond > 0) seconds = std::max(seconds, 1.0 / policy.MaxFramesPerSecond);
  return seconds;
}
