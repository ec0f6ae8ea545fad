// A transition drawn frame by frame into a frame surface.
#include "display/TransitionPlayerWin32.h"

#include <algorithm>
#include <new>

#include "display/FramePolicy.h"

TTransitionPlayer::TTransitionPlayer(TFrameSurface& surface) : FSurface(surface) {
  FClient = Application.AddFrameClient({[this] { return Animating(); }, [this] { return FPacer.DueEvent(); },
                                        [this] { StepFrame(); }});
}

TTransitionPlayer::~TTransitionPlayer() { Application.RemoveFrameClient(FClient); }

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
  if (FramePolicy().Paused) {
    FinishUnseen();
    return;
  }
  if (FTransition->Kind() == TTransitionKind::Cut || !FPacer.CanPace()) {
    Finish();
    return;
  }
  FPacer.Start();
}

void TTransitionPlayer::StepFrame() {
  if (!FTransition) return;
  if (FramePolicy().Paused) {
    FinishUnseen();
    return;
  }
  const double elapsed = FTimeScale * FPacer.Elapsed();
  const double p = FDurationSeconds > 0 ? elapsed / FDurationSeconds : 1.0;
  Present(FTransition->Step(std::min(p, 1.0), FSurface.Target(FFrom.Width, FFrom.Height)));
  if (FTransition->Finished())
    Drop();
  else
    FPacer.AfterFrame();
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

void TTransitionPlayer::Present(const TDirtyRect& changed) {
  if (changed.Empty()) return;
  FSurface.Present(changed);
  ++FFramesDrawn;
}

void TTransitionPlayer::Drop() {
  FTransition.reset();
  FFrom = TFrame();
  FTo = TFrame();
  FPacer.Stop();
}
