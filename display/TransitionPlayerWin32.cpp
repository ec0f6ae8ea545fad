// A transition drawn frame by frame into a frame surface.
#include "display/TransitionPlayerWin32.h"

#include <algorithm>
#include <new>
#include <utility>

#include "display/FrameClockWin32.h"

TTransitionPlayer::TTransitionPlayer(TFrameSurface& surface) : FSurface(surface) { FrameClock().Join(this); }

TTransitionPlayer::~TTransitionPlayer() { FrameClock().Leave(this); }

void TTransitionPlayer::Play(const TExitTransition& exit, uint64_t seed, TFrame from, TFrame to) {
  Finish();
  FFrom = std::move(from);
  FTo = std::move(to);
  try {
    FTransition.emplace(exit.Kind, exit.Pattern, seed, FFrom, FTo);
  } catch (const std::bad_alloc&) {
    // No memory for the transition's own frames or orders: a cut, which needs none.
    FTransition.emplace(TTransitionKind::Cut, 0, seed, FFrom, FTo);
  }
  FDurationSeconds = exit.DurationSeconds;
  TFrameClock& clock = FrameClock();
  if (clock.Policy().Paused) {
    FinishUnseen();
    return;
  }
  if (FTransition->Kind() == TTransitionKind::Cut || !clock.CanPace()) {
    Finish();
    return;
  }
  FStartSeconds = clock.Now();
  clock.Wake();
}

void TTransitionPlayer::ComposeFrame(double now) {
  if (!FTransition) return;
  const double elapsed = FTimeScale * (now - FStartSeconds);
  const double p = FDurationSeconds > 0 ? elapsed / FDurationSeconds : 1.0;
  FComposed = FTransition->Step(std::min(p, 1.0), FSurface.Target(FFrom.Width, FFrom.Height));
}

void TTransitionPlayer::PresentFrame() {
  if (!FTransition) return;
  Present(std::exchange(FComposed, TRect()));
  if (FTransition->Finished()) Drop();
}

void TTransitionPlayer::Finish() {
  if (!FTransition) return;
  Present(FTransition->Finish(FSurface.Target(FFrom.Width, FFrom.Height)));
  Drop();
}

void TTransitionPlayer::FinishUnseen() {
  if (!FTransition) return;
  FTransition->Finish(FSurface.Target(FFrom.Width, FFrom.Height));
  Drop();
}

void TTransitionPlayer::Present(const TRect& changed) {
  if (changed.Empty()) return;
  FSurface.Present(changed);
  ++FFramesDrawn;
}

void TTransitionPlayer::Drop() {
  FTransition.reset();
  FFrom = TFrame();
  FTo = TFrame();
  FComposed = TRect();
}
