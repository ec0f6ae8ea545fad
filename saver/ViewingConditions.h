// Whether anybody can see the slideshow, and through what: the console display's power state, a
// locked or disconnected session, a remote session, the battery saver. The session hears of each
// change from the system and turns them into the frame policy every window's transitions follow.
#pragma once

#include <cstdint>

#include "display/FramePolicy.h"

// The system's session-change events (WM_WTSSESSION_CHANGE's wParam).
enum class TSessionEvent : uint32_t {
  ConsoleConnect = 1,
  ConsoleDisconnect = 2,
  RemoteConnect = 3,
  RemoteDisconnect = 4,
  Lock = 7,
  Unlock = 8,
};

// The console display's power state as the system reports it: off, on, or dimmed (which counts
// as on).
enum class TDisplayPower : uint32_t { Off = 0, On = 1, Dimmed = 2 };

// A remote session's transitions draw at most this many frames a second.
inline constexpr double RemoteFramesPerSecond = 10;

class TViewingConditions {
public:
  void SetDisplayPower(TDisplayPower power) { FDisplayOff = power == TDisplayPower::Off; }
  // A session event; remote tells whether the session is a remote one now.
  void SessionChanged(TSessionEvent event, bool remote);
  void SetRemote(bool remote) { FRemote = remote; }
  void SetBatterySaver(bool on) { FBatterySaver = on; }

  // Nothing drawn while the display is off or the session locked or disconnected; a remote
  // session at most RemoteFramesPerSecond; the battery saver half the display's rate.
  TFramePolicy Policy() const;

private:
  bool FDisplayOff = false;
  bool FLocked = false;
  bool FDisconnected = false;
  bool FRemote = false;
  bool FBatterySaver = false;
};
