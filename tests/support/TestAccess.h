// The one way tests reach inside the program's classes: what they watch (frames drawn, the pixels
// on screen) and what they steer (the time scale, refused surfaces, a new life of the loops).
#pragma once

#include <cstdint>

#include "base/ApplicationWin32.h"
#include "display/FrameSurfaceWin32.h"
#include "display/TransitionPlayerWin32.h"
#include "monitors/MonitorWindowWin32.h"
#include "pageview/PageViewWin32.h"
#include "saver/SchonerWin32.h"

struct TTestAccess {
  static TTransitionPlayer& Player(TPageView& view) { return view.FPlayer; }
  // A copy of what the window shows.
  static TFrame CopyScreen(const TPageView& view) { return view.FSurface.CopyOut(); }
  static TFrame CopyScreen(const TMonitorWindow& window) { return window.FSurface.CopyOut(); }
  static uint64_t FramesDrawn(const TTransitionPlayer& player) { return player.FFramesDrawn; }
  // Plays transitions `scale` times faster, each still to its end.
  static void SetTimeScale(TTransitionPlayer& player, double scale) { player.FTimeScale = scale; }
  // The next `count` surfaces are refused, as the system refuses them when memory runs short.
  static void RefuseSurfaces(int count) { TFrameSurface::FRefusedSurfaces = count; }
  static TSessionStage Stage(const TSchoner& session) { return session.FCourse.Stage(); }
  // Starts a new life of the loops after a quit message was seen.
  static void ResetTerminated() { Application.FTerminated = false; }
};
