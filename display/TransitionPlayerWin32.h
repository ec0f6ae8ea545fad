// Plays one transition at a time into a window's frame surface: from the frame on screen to the
// next, each frame drawn when the pacer says it is due, on the application's message loop beside
// every other window's transitions. Between transitions it holds nothing but its pacer. While the
// process's frame policy pauses drawing, nothing is presented.
#pragma once

#include <cstdint>
#include <optional>

#include "base/ApplicationWin32.h"
#include "display/FramePacerWin32.h"
#include "display/FrameSurfaceWin32.h"
#include "transitions/ExitTransition.h"
#include "transitions/Transition.h"

class TTransitionPlayer {
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
  void Drop();

  // Seconds of transition that pass per second of the clock: 1 in the program; tests that play
  // many transitions in a row run them faster, each still to its end.
  void SetTimeScale(double scale) { FTimeScale = scale; }

  bool Animating() const { return FTransition.has_value(); }
  // Frames this player has presented (every step that changed something, and a last frame).
  uint64_t FramesDrawn() const { return FFramesDrawn; }

private:
  // Draws the frame that is due now.
  void StepFrame();
  void Present(const TRect& changed);
  // While the frame policy pauses drawing, a transition ends on its new frame in the surface
  // alone: nothing reaches the screen until the window is painted again.
  void FinishUnseen();

  TFrameSurface& FSurface;
  TFramePacer FPacer;
  std::optional<TTransition> FTransition;
  TFrame FFrom;  // both of the transition's size, alive while it runs
  TFrame FTo;
  double FDurationSeconds = 0;
  double FTimeScale = 1.0;
  uint64_t FFramesDrawn = 0;
  int FClient = 0;  // the number the message loop knows it by
};
