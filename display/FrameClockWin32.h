// The process's one frame clock. While any window animates it beats: on each beat every
// animating window (the page view, every other monitor's window) draws one frame, composed side
// by side and presented one after the other, and then the clock arms its timer for the next
// beat. The UI thread waits for a beat only in the message loop, beside its messages, so input
// is never kept waiting on the display. Where the desktop composes, the beats fall on the
// compositor's refreshes (the timer is set to the next one the compositor's timing names); else
// they fall on whole frame times since the clock started, on a high-resolution waitable timer,
// or on an ordinary one with the system's timer resolution raised to 1 ms while anything
// animates. A beat that comes late skips the ones it missed. The frame policy (paused, capped)
// is the clock's, and every change to it, to composition or to the display counts from the next
// beat on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/OwnersWin32.h"
#include "display/ComposeWorkers.h"
#include "display/FramePolicy.h"

// What the clock beats for: a window's transitions. On a beat it composes the frame due then (on
// any thread), and presents it on the UI thread.
class TBeatClient {
public:
  virtual bool Animating() const = 0;
  // The pixels of the running transition's frames.
  virtual uint64_t FramePixels() const = 0;
  virtual void ComposeFrame(double now) = 0;
  virtual void PresentFrame() = 0;
  // While the frame policy pauses drawing: the transition ends on its new frame, unseen.
  virtual void FinishUnseen() = 0;
  // A frame failed: the transition ends without drawing anything more.
  virtual void Drop() = 0;

protected:
  ~TBeatClient() = default;
};

class TFrameClock {
public:
  TFrameClock();
  TFrameClock(const TFrameClock&) = delete;
  TFrameClock& operator=(const TFrameClock&) = delete;

  // The players it beats for: one joins when made and leaves before it goes.
  void Join(TBeatClient* player);
  void Leave(TBeatClient* player);

  const TFramePolicy& Policy() const { return FPolicy; }
  void SetPolicy(const TFramePolicy& policy);
  // The display changed (its refresh rate, or composition on or off).
  void DisplayChanged();

  // Whether anything can pace frames (else a transition should end at once).
  bool CanPace() const { return static_cast<bool>(FTimer); }
  // A player started a transition: the clock beats from now on while any animates.
  void Wake();
  // Seconds on the performance counter.
  double Now() const;
  // Whether the beats follow the compositor now.
  bool Composing() const { return FComposing; }
  // The time between two beats now, in seconds.
  double BeatSeconds() const;

private:
  HANDLE DueHandle();
  void DrawBeat();
  // Reads whether the desktop composes and, if so, its refreshes; false when it does not.
  bool ReadComposition();
  void Arm(int64_t now);
  void Rest();
  void RaiseResolution(bool raise);
  bool AnyAnimates() const;

  std::vector<TBeatClient*> FPlayers;
  TFramePolicy FPolicy;
  TComposeWorkers FWorkers;
  TKernelHandle FTimer;
  bool FAwake = false;         // the timer is armed for the next beat
  bool FComposing = false;
  bool FCoarseTimer = false;   // an ordinary waitable timer: 1 ms resolution while awake
  TPairedRelease FResolutionRaised;  // timeBeginPeriod(1) made, timeEndPeriod(1) owed
  int64_t FFrequency = 1;
  int64_t FDisplayTicks = 1;   // the display's refresh period as the display reports it
  int64_t FRefreshTicks = 1;   // the compositor's refresh period
  int64_t FVBlank = 0;         // one of the compositor's refreshes
  int64_t FLastBeat = 0;       // the moment the last beat was due (or the clock woke)
  int64_t FNextBeat = 0;       // the moment the timer is armed for
};

// The clock every window's transitions share.
TFrameClock& FrameClock();
