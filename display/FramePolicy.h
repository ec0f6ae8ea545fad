// What the conditions of the moment allow every window's transitions: drawing at all (nobody sees
// a switched-off display or a locked session), and how many frames a second (a remote session's
// network, a battery in saver mode). One policy for the whole process, held by the frame clock.
#pragma once

struct TFramePolicy {
  bool Paused = false;
  double MaxFramesPerSecond = 0;  // 0: no cap beyond the display's rate
  double RateFraction = 1.0;      // of the display's rate

  friend bool operator==(const TFramePolicy&, const TFramePolicy&) = default;
};

// The seconds between two frames under policy for a display of refreshSeconds per frame.
double FrameSecondsUnder(const TFramePolicy& policy, double refreshSeconds);
