// Several windows animating at once on the one frame clock, on a composing desktop (the
// compositor's stand-in, when LUMI_COMPOSITOR installed it) and on the timer: every window draws a
// frame on every beat, a change of pacing mid-transition neither stalls it nor leaves a gap, and
// input is handled within a beat.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/OwnersWin32.h"
#include "display/FrameClockWin32.h"
#include "display/TransitionPlayerWin32.h"
#include "tests/support/MessageLoop.h"
#include "tests/support/TestFrames.h"
#include "tests/support/TestWindows.h"

namespace {

bool StandInComposes() { return GetEnvironmentVariableA("LUMI_COMPOSITOR", nullptr, 0) > 0; }

struct TAnimatedWindow {
  explicit TAnimatedWindow(int x) : Window(CreateHostWindow(0, WS_POPUP | WS_VISIBLE, x, 0, 160, 120)) {
    Surface.Resize(160, 120, false);
    Surface.SetWindow(Window.Get());
  }
  TWindow Window;
  TFrameSurface Surface;
  TTransitionPlayer Player{Surface};
  std::vector<std::pair<double, double>> Frames;  // when each frame was drawn, and the beat then
};

// Plays a 3 s fade on `count` windows at once; `change` runs once half way. Frames are logged.
void PlayFade(std::vector<std::unique_ptr<TAnimatedWindow>>& windows, int count, const std::function<void()>& change) {
  for (int i = 0; i < count; ++i) windows.push_back(std::make_unique<TAnimatedWindow>(170 * i));
  for (auto& w : windows) w->Player.Play({TTransitionKind::Fade, -1, 3.0}, 1, OldTestFrame(160, 120),
                                         NewTestFrame(160, 120));
  const double start = FrameClock().Now();
  bool changed = false;
  ASSERT_TRUE(PumpUntil([&] {
    if (!changed && FrameClock().Now() - start > 1.5) change(), changed = true;
    bool any = false;
    for (auto& w : windows) {
      if (w->Player.FramesDrawn() > w->Frames.size()) w->Frames.emplace_back(FrameClock().Now() - start, FrameClock().BeatSeconds());
      any = any || w->Player.Animating();
    }
    return !any;
  }));
}

TEST(FrameClock, EveryWindowDrawsOnEveryBeatAndAChangeMidTransitionStallsNothing) {
  Application.Initialize();
  const bool composing = StandInComposes();
  const auto setEnvironment = [](const char* name, const std::string& value) { SetEnvironmentVariableA(name, value.c_str()); };
  struct TCase {
    const char* Name;
    int Windows;
    const char* Hz;
    std::function<void()> Change;  // half way; none: every beat counts
  } cases[] = {
      {"one window", 1, "60", nullptr},
      {"two windows", 2, "60", nullptr},
      {"three windows", 3, "60", nullptr},
      {"one window at 144 Hz", 1, "144", nullptr},
      {"battery saver", 3, "60", [] { FrameClock().SetPolicy({false, 0, 0.5}); }},
      {"remote", 3, "60", [] { FrameClock().SetPolicy({false, 10, 1.0}); }},
      {"composition goes", 3, "60", [&] {
         LARGE_INTEGER now;
         QueryPerformanceCounter(&now);
         setEnvironment("LUMI_DWM_OFF_AT", std::to_string(now.QuadPart));
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    setEnvironment("LUMI_DWM_HZ", c.Hz);
    std::vector<std::unique_ptr<TAnimatedWindow>> windows;
    PlayFade(windows, c.Windows, c.Change ? c.Change : [] {});
    EXPECT_EQ(FrameClock().Composing(), composing && std::string(c.Name) != "composition goes");
    for (auto& w : windows) {
      ASSERT_FALSE(w->Frames.empty());
      const double beat = w->Frames.back().second;
      EXPECT_LE(w->Frames.back().first, 3.0 + 2 * beat) << "the transition ended late";
      if (!c.Change) {
        EXPECT_GE(w->Frames.size(), 0.97 * 3.0 / beat) << "frames drawn of the beats";
      }
      for (size_t i = 1; i < w->Frames.size(); ++i)
        EXPECT_LE(w->Frames[i].first - w->Frames[i - 1].first, 2 * std::max(w->Frames[i].second, w->Frames[i - 1].second))
            << "a gap after frame " << i << " of " << w->Frames.size();
    }
    FrameClock().SetPolicy({});
    SetEnvironmentVariableA("LUMI_DWM_OFF_AT", nullptr);
  }
}

TEST(FrameClock, InputDuringAThreeWindowTransitionIsHandledWithinABeat) {
  Application.Initialize();
  std::vector<std::unique_ptr<TAnimatedWindow>> windows;
  // Keys come from another thread at moments of their own, stamped with the moment they were sent.
  double latest = 0;
  int keys = 0;
  TWindow saver(CreateHostWindow(0, WS_POPUP, 0, 200, 10, 10));
  const int filter = Application.AddMessageFilter([&](MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.hwnd != saver.Get()) return false;
    latest = std::max(latest, FrameClock().Now() - std::bit_cast<double>(static_cast<uint64_t>(msg.lParam)));
    return ++keys, true;
  });
  std::thread keyboard([&] {
    for (int i = 0; i < 40; ++i) {
      Sleep(23 + i % 7);
      PostMessageW(saver.Get(), WM_KEYDOWN, 'A', static_cast<LPARAM>(std::bit_cast<uint64_t>(FrameClock().Now())));
    }
  });
  PlayFade(windows, 3, [] {});
  keyboard.join();
  Application.ProcessMessages();
  Application.RemoveMessageFilter(filter);
  EXPECT_EQ(keys, 40);
  EXPECT_LE(latest, FrameClock().BeatSeconds()) << "a key waited longer than a beat";
}

}  // namespace
