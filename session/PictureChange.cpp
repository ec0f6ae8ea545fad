// The transition and the fit of a picture change.
#include "session/PictureChange.h"

#include <cmath>

#include "base/Random.h"
#include "settings/EffectList.h"

namespace {

constexpr int32_t RandomRevealPattern = 23;

// Nearest integer, halves to the even one, independent of the FPU's rounding mode.
long double RoundHalfEven(long double value) {
  long double whole = std::floor(value);
  long double fraction = value - whole;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  return whole;
}

}  // namespace

TExitTransition ChooseExit(int32_t effect, const TDraw& draw) {
  const TExitTransition fade{TTransitionKind::Fade, 0, TransitionSeconds};
  if (effect == FadeEffect) return fade;
  if (effect == RandomEffect)
    return draw(23) != 0 ? TExitTransition{TTransitionKind::Reveal, RandomRevealPattern, TransitionSeconds} : fade;
  return {TTransitionKind::Reveal, effect, TransitionSeconds};
}

TExitTransition ChooseExit(int32_t effect) {
  return ChooseExit(effect, [](uint32_t n) { return static_cast<uint32_t>(Random(static_cast<int32_t>(n))); });
}

TFit ChooseFit(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight) {
  // Scaled to the window's height, a picture without height would be endlessly wide.
  if (pictureHeight == 0) return TFit::Width;
  // Two roundings, as the quotient is formed first; both in the 64-bit significand of long double.
  long double quotient = static_cast<long double>(windowHeight) / pictureHeight;
  long double scaledWidth = RoundHalfEven(quotient * pictureWidth);
  return scaledWidth < windowWidth ? TFit::Height : TFit::Width;
}
