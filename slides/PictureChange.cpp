// The transition of a picture change.
#include "slides/PictureChange.h"

#include "base/Random.h"
#include "settings/EffectList.h"

namespace {

constexpr int32_t RandomRevealPattern = 23;

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
