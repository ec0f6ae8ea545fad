// The beats of the one frame clock: when they fall, and what happens on each.
#include "display/FrameClockWin32.h"

#include <dwmapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <exception>

#include "base/ApplicationWin32.h"
#include "display/BeatGrid.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002  // Windows 10 1803 and later; else refused
#endif

namespace {

int64_t Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

TFrameClock& FrameClock() {
  static TFrameClock clock;
  return clock;
}

TFrameClock::TFrameClock() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  FFrequency = std::max<int64_t>(1, frequency.QuadPart);
  DisplayChanged();
  FTimer.Reset(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
  if (!FTimer) {
    // Before Windows 10 1803 an ordinary timer, whose resolution is raised while frames are drawn.
    FTimer.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    FCoarseTimer = true;
  }
  Application.SetFrameBeat({[this] { return DueHandle(); }, [this] { DrawBeat(); }});
}

void TFrameClock::Join(TBeatClient* player) { FPlayers.push_back(player); }

void TFrameClock::Leave(TBeatClient* player) { std::erase(FPlayers, player); }

void TFrameClock::SetPolicy(const TFramePolicy& policy) {
  FPolicy = policy;
  if (FAwake) Arm(Ticks());
}

void TFrameClock::DisplayChanged() {
  const int refresh = GetDeviceCaps(TWindowDC(nullptr).Get(), VREFRESH);
  FDisplayTicks = FFrequency / (refresh >= 24 && refresh <= 500 ? refresh : 60);
  if (FAwake) Arm(Ticks());
}

void TFrameClock::Wake() {
  if (FAwake || !FTimer) return;
  FAwake = true;
  RaiseResolution(true);
  FLastBeat = Ticks();
  Arm(FLastBeat);
}

double TFrameClock::Now() const { return static_cast<double>(Ticks()) / static_cast<double>(FFrequency); }

double TFrameClock::BeatSeconds() const {
  const double refresh = static_cast<double>(FComposing ? FRefreshTicks : FDisplayTicks) / static_cast<double>(FFrequency);
  return FrameSecondsUnder(FPolicy, refresh);
}

bool TFrameClock::AnyAnimates() const {
  return std::any_of(FPlayers.begin(), FPlayers.end(), [](const TBeatClient* p) { return p->Animating(); });
}

HANDLE TFrameClock::DueHandle() {
  if (FAwake && !AnyAnimates()) Rest();
  return FAwake ? FTimer.Get() : nullptr;
}

bool TFrameClock::ReadComposition() {
  BOOL enabled = FALSE;
  if (FAILED(DwmIsCompositionEnabled(&enabled)) || !enabled) return false;
  DWM_TIMING_INFO timing = {};
  timing.cbSize = sizeof timing;
  if (FAILED(DwmGetCompositionTimingInfo(nullptr, &timing))) return false;
  // A refresh period no display has would put the beats anywhere: the timer paces instead.
  const auto period = static_cast<int64_t>(timing.qpcRefreshPeriod);
  if (period < FFrequency / 500 || period > FFrequency / 20) return false;
  FRefreshTicks = period;
  FVBlank = static_cast<int64_t>(timing.qpcVBlank);
  return true;
}

void TFrameClock::Arm(int64_t now) {
  FComposing = ReadComposition();
  const auto frame = std::max<int64_t>(1, static_cast<int64_t>(BeatSeconds() * static_cast<double>(FFrequency)));
  FNextBeat = FComposing ? NextBeat(FVBlank, FRefreshTicks, FLastBeat, frame, now)
                         : NextBeat(FLastBeat, frame, FLastBeat, frame, now);
  LARGE_INTEGER due;  // relative, in 100 ns units
  due.QuadPart = -std::max<LONGLONG>(1, static_cast<LONGLONG>((FNextBeat - now) * 10'000'000 / FFrequency));
  SetWaitableTimer(FTimer.Get(), &due, 0, nullptr, nullptr, FALSE);
}

void TFrameClock::Rest() {
  FAwake = false;
  if (FTimer) CancelWaitableTimer(FTimer.Get());
  RaiseResolution(false);
}

void TFrameClock::DrawBeat() {
  FLastBeat = FNextBeat;
  std::vector<TBeatClient*> animating;
  for (TBeatClient* player : FPlayers)
    if (player->Animating()) animating.push_back(player);
  if (FPolicy.Paused) {
    // Nobody sees the display: every transition ends on its new frame, unseen.
    for (TBeatClient* player : animating) RunGuarded([player] { player->FinishUnseen(); });
    animating.clear();
  }
  if (!animating.empty()) {
    // Each window's frame is drawn into its own surface, side by side; then presented in turn.
    GdiFlush();
    const double now = Now();
    std::vector<std::exception_ptr> errors(animating.size());
    const auto compose = [&](size_t i) {
      try {
        animating[i]->ComposeFrame(now);
      } catch (...) {
        errors[i] = std::current_exception();
      }
    };
    // Frames of fewer pixels together than one 3840 x 2160 frame take less than handing them over
    // costs: the UI thread composes them alone.
    uint64_t pixels = 0;
    for (const TBeatClient* player : animating) pixels += player->FramePixels();
    if (pixels > 3840u * 2160u)
      FWorkers.Run(animating.size(), compose);
    else
      for (size_t i = 0; i < animating.size(); ++i) compose(i);
    for (size_t i = 0; i < animating.size(); ++i) {
      TBeatClient* player = animating[i];
      // A player whose frame failed ends its transition there: the next beats would fail alike.
      if (errors[i]) RunGuarded([&] { player->Drop(); std::rethrow_exception(errors[i]); });
      else RunGuarded([player] { player->PresentFrame(); });
    }
  }
  if (AnyAnimates())
    Arm(Ticks());
  else
    Rest();
}

void TFrameClock::RaiseResolution(bool raise) {
  if (!FCoarseTimer || raise == static_cast<bool>(FResolutionRaised)) return;
  if (raise) {
    timeBeginPeriod(1);
    FResolutionRaised = TPairedRelease([] { timeEndPeriod(1); });
  } else {
    FResolutionRaised.Reset();
  }
}
