// One transition of a window: from the frame on screen to the next picture's frame, drawn step
// by step as the progress grows, touching only what changed.
#pragma once

#include <cstdint>
#include <optional>

#include "imaging/Frame.h"
#include "transitions/Compositor.h"
#include "transitions/ExitTransition.h"
#include "transitions/FadeFrames.h"
#include "transitions/Mask.h"
#include "transitions/MaskOrder.h"

class TTransition {
 public:
  // Both frames must stay alive and unchanged while the transition runs. A reveal pattern outside
  // 0 to 23, frames of different sizes, empty frames or frames beyond MaxMaskSide make a cut.
  // seed feeds the random choices of this transition (pattern 23, dissolve, bars): the view
  // draws it from its own TViewRandom.
  TTransition(TTransitionKind kind, int32_t pattern, uint64_t seed, const TFrame& oldFrame,
              const TFrame& newFrame);

  TTransitionKind Kind() const { return FKind; }
  int32_t Pattern() const { return FPattern; }  // 0 to 22 for a reveal (23 resolved), else -1
  double Progress() const { return static_cast<double>(FProgress) / ProgressOne; }
  bool Finished() const { return FProgress == ProgressOne; }

  // Draws progress p (clamped to [0, 1]; a value below the last one counts as the last one)
  // into target, which has the frames' size and holds what the previous step drew: the old
  // frame before the first step. Reveals write only the pixels that turned new since the last
  // step, so over the whole course each pixel is written once; the fade rewrites the part
  // where the frames differ whenever its weight changes. Returns the rectangle that changed,
  // empty when nothing did (then nothing needs to be presented).
  TRect Step(double p, TFrameTarget target);
  TRect Finish(TFrameTarget target) { return Step(1.0, target); }

 private:
  TRect StepGeometric(uint64_t progress, TFrameTarget target);
  TRect StepOrdered(uint64_t before, uint64_t progress, TFrameTarget target);

  TTransitionKind FKind;
  int32_t FPattern = -1;
  const TFrame* FOld;
  const TFrame* FNew;
  uint64_t FProgress = 0;
  uint32_t FWeight = 0;                 // fade: the weight on screen ...
  std::optional<TFadeFrames> FFade;     // ... and its frames
  std::optional<TMaskShape> FBefore;    // geometric: the mask on screen ...
  std::optional<TMaskShape> FNow;       // ... and the one being drawn
  std::optional<TRevealOrder> FOrder;   // dissolve and bars
};
