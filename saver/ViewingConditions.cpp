// The frame policy from what the system told of the display and the session.
#include "saver/ViewingConditions.h"

void TViewingConditions::SessionChanged(TSessionEvent event, bool remote) {
  switch (event) {
    case TSessionEvent::Lock: FLocked = true; break;
    case TSessionEvent::Unlock: FLocked = false; break;
    case TSessionEvent::ConsoleDisconnect:
    case TSessionEvent::RemoteDisconnect: FDisconnected = true; break;
    case TSessionEvent::ConsoleConnect:
    case TSessionEvent::RemoteConnect: FDisconnected = false; break;
  }
  FRemote = remote;
}

TFramePolicy TViewingConditions::Policy() const {
  TFramePolicy policy;
  policy.Paused = FDisplayOff || FLocked || FDisconnected;
  if (FRemote) policy.MaxFramesPerSecond = RemoteFramesPerSecond;
  if (FBatterySaver) policy.RateFraction = 0.5;
  return policy;
}
