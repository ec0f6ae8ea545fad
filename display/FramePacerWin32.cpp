// The display's refresh rate, the frame timer and the compositor's beat.
#include "display/FramePacerWin32.h"

#include "display/FramePolicy.h"

#include <dwmapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002  // Windows 10 1803 and later; else refused
#endif

namespace {

bool DisplayComposes() {
  BOOL enabled = FALSE;
  return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

}  // namespace

TFramePacer::TFramePacer() {
  QueryPerformanceFrequency(&FFrequency);
  const int refresh = GetDeviceCaps(TWindowDC(nullptr).Get(), VREFRESH);
  if (refresh >= 24 && refresh <= 500) FRefreshSeconds = 1.0 / refresh;
  FDisplayPaces = DisplayComposes();
  FTimer.Reset(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
  if (!FTimer) {
    // Before Windows 10 1803 an ordinary timer, whose resolution is raised during transitions.
    FTimer.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    FCoarseTimer = true;
  }
}

TFramePacer::~TFramePacer() { RaiseResolution(false); }

double TFramePacer::FrameSeconds() const { return FrameSecondsUnder(FramePolicy(), FRefreshSeconds); }

void TFramePacer::Start() {
  QueryPerformanceCounter(&FStart);
  RaiseResolution(true);
  if (!CompositorPaces()) AfterFrame();
}

double TFramePacer::Elapsed() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - FStart.QuadPart) / static_cast<double>(FFrequency.QuadPart);
}

void TFramePacer::AfterFrame() {
  if (CompositorPaces()) {
    if (SUCCEEDED(DwmFlush())) return;
    // Composition went away: pace with the timer from now on.
    FDisplayPaces = false;
    if (!FTimer) {
      FTimer.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
      FCoarseTimer = true;
      RaiseResolution(true);
    }
  }
  if (!FTimer) return;
  const double frame = FrameSeconds();
  const double wait = frame - std::fmod(std::max(Elapsed(), 0.0), frame);
  LARGE_INTEGER due;
  due.QuadPart = -std::max<LONGLONG>(1, static_cast<LONGLONG>(wait * 1e7));  // relative, in 100 ns units
  SetWaitableTimer(FTimer.Get(), &due, 0, nullptr, nullptr, FALSE);
}

void TFramePacer::Stop() { RaiseResolution(false); }

void TFramePacer::RaiseResolution(bool raise) {
  if (!FCoarseTimer || raise == FResolutionRaised) return;
  if (raise)
    timeBeginPeriod(1);
  else
    timeEndPeriod(1);
  FResolutionRaised = raise;
}
