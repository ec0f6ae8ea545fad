// When a transition's next frame is due. One policy for every window: where the display composes,
// the compositor's beat (DwmFlush after each frame); else a high-resolution waitable timer; else
// an ordinary one, with the system's timer resolution raised to 1 ms while a transition runs.
// Frames are due at whole frame times after the transition's start, so the time a frame takes to
// draw does not lengthen the period. The process's frame policy may lengthen the frame time (a
// remote session, the battery saver): then the timer paces, whatever the display can do.
#pragma once

#include <windows.h>

#include "base/OwnersWin32.h"

class TFramePacer {
public:
  TFramePacer();
  ~TFramePacer();
  TFramePacer(const TFramePacer&) = delete;
  TFramePacer& operator=(const TFramePacer&) = delete;

  // Whether anything can pace frames (else a transition should end at once).
  bool CanPace() const { return FDisplayPaces || FTimer; }
  // Signalled when the next frame is due; null while the compositor paces (the frame is always
  // due, and waiting for the display happens in AfterFrame).
  HANDLE DueEvent() const { return CompositorPaces() ? nullptr : FTimer.Get(); }
  // The time between frames now: the display's, or longer as the frame policy asks.
  double FrameSeconds() const;

  // A transition starts now.
  void Start();
  // Seconds since Start on the performance counter.
  double Elapsed() const;
  // A frame was drawn: waits for the compositor, or arms the timer for the next whole frame time.
  void AfterFrame();
  // The transition ended: the timer resolution goes back to the system's.
  void Stop();

private:
  bool CompositorPaces() const { return FDisplayPaces && FrameSeconds() <= FRefreshSeconds; }
  void RaiseResolution(bool raise);

  TKernelHandle FTimer;        // when the display cannot pace, or the policy asks for fewer frames
  bool FDisplayPaces = false;  // DwmFlush waits for the next composition
  bool FCoarseTimer = false;   // an ordinary waitable timer: 1 ms resolution while a transition runs
  bool FResolutionRaised = false;
  double FRefreshSeconds = 1.0 / 60;
  LARGE_INTEGER FFrequency = {};
  LARGE_INTEGER FStart = {};
};
