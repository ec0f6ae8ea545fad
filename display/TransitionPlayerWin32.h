// Plays one transition at a time into a window's frame surface: from the frame on screen to the
// next, one frame on each beat of the process's frame clock, beside every other window's
// transitions. Between transitions it holds nothing. While the clock's frame policy pauses
// drawing, nothing is presented.
#pragma once

#include <cstdint>
#include <optional>

#include "display/FrameClockWin32.h"
#include "display/FrameSurfaceWin32.h"
#include "transitions/ExitTransition.h"
#include "transitions/Transition.h"

class TTransitionPlayer final : public TBeatClient {
public:
  explicit TTransitionPlayer(TFrameSurface& surface);
  ~TTransitionPlayer();
  TTransitionPlayer(const TTransitionPlayer&) = delete;
  TTransitionPlayer& operator=(const TTransitionPlayer&) = delete;

  // Plays exit from `from` to `to` (of one size) into the surface's top-left corner of that
  // size, starting now; a transition still running ends on its last frame first. seed feeds the
  // transition's own random choices. A cut, or nothing to pace the frames with, shows `to` at once.
  void Play(const TExitTransition& exit, uint64_t seed, TFrame from, TFrame to);
  // Draws the running transition's last frame now.
  void Finish();
  // Ends the running transition without drawing anything more (the window is gone).
  void Drop() override;

  // The clock's side of a beat: the frame due at `now` (seconds on the clock) is drawn into the
  // surface, on any thread, then presented on the UI thread.
  void ComposeFrame(double now) override;
  void PresentFrame() override;
  // While the frame policy pauses drawing, a transition ends on its new frame in the surface
  // alone: nothing reaches the screen until the window is painted again.
  void FinishUnseen() override;

  bool Animating() const override { return FTransition.has_value(); }
  // The pixels of the running transition's frames.
  uint64_t FramePixels() const override { return static_cast<uint64_t>(FFrom.Width) * static_cast<uint64_t>(FFrom.Height); }

private:
  friend struct TTestAccess;
  void Present(const TRect& changed);

  TFrameSurface& FSurface;
  std::optional<TTransition> FTransition;
  TFrame FFrom;  // both of the transition's size, alive while it runs
  TFrame FTo;
  double FDurationSeconds = 0;
  double FStartSeconds = 0;  // on the clock
  TRect FComposed;  // what the last composed frame changed, not yet presented
  // Seconds of transition that pass per second of the clock: 1 in the program; tests that play
  // many transitions in a row run them faster, each still to its end.
  double FTimeScale = 1.0;
  uint64_t FFramesDrawn = 0;  // frames presented (every step that changed something, and a last frame)
};
