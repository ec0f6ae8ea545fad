// Several windows animating at once on the one frame clock, on a composing desktop (the
// compositor's stand-in, when LUMI_COMPOSITOR installed it) and on the timer: every window draws a
// frame on every beat, a change of pacing mid-transition neither stalls it nor leaves a gap, and
// input is handled within a beat all the while.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "display/FrameClockWin32.h"
#include "display/TransitionPlayerWin32.h"
#include "tests/support/MessageLoop.h"
#include "tests/support/TestAccess.h"
#include "tests/support/TestFrames.h"
#include "tests/support/TestWindows.h"

namespace {

struct TAnimatedWindow {
  explicit TAnimatedWindow(int x) : Window(CreateHostWindow(0, WS_POPUP | WS_VISIBLE, x, 0, 160, 120)) {
    Surface.Resize(160, 120, false), Surface.SetWindow(Window.Get());
  }
  TWindow Window;
  TFrameSurface Surface;
  TTransitionPlayer Player{Surface};
  std::vector<std::pair<double, double>> Frames;  // when each frame was drawn, and the beat then
};

// Plays a 3 s dissolve (whose every beat turns pixels, at any rate; a fade's 256 weights do not
// fill 144 Hz) on `count` windows at once, logging their frames; `change` runs half way.
// Meanwhile keys come from another thread, stamped with the moment they were sent; `keyWaits` are
// how long each waited to be handled.
std::vector<std::unique_ptr<TAnimatedWindow>> PlayDissolve(int count, const std::function<void()>& change,
                                                           std::vector<double>& keyWaits) {
  std::vector<std::unique_ptr<TAnimatedWindow>> windows;
  for (int i = 0; i < count; ++i) windows.push_back(std::make_unique<TAnimatedWindow>(170 * i));
  Application.ProcessMessages();  // the windows on screen before their transitions start
  for (auto& w : windows) w->Player.Play({TTransitionKind::Reveal, 12, 3.0}, 1, OldTestFrame(160, 120), NewTestFrame(160, 120));
  HWND saver = windows[0]->Window.Get();
  int keys = 0;
  const int filter = Application.AddMessageFilter([&](MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.hwnd != saver) return false;
    keyWaits.push_back(FrameClock().Now() - std::bit_cast<double>(static_cast<uint64_t>(msg.lParam)));
    return ++keys, true;
  });
  std::thread keyboard([&] {
    for (int i = 0; i < 40; ++i, Sleep(23 + i % 7))
      PostMessageW(saver, WM_KEYDOWN, 'A', static_cast<LPARAM>(std::bit_cast<uint64_t>(FrameClock().Now())));
  });
  const double start = FrameClock().Now();
  bool changed = false;
  EXPECT_TRUE(PumpUntil([&] {
    if (!changed && FrameClock().Now() - start > 1.5) change(), changed = true;
    for (auto& w : windows)
      if (TTestAccess::FramesDrawn(w->Player) > w->Frames.size())
        w->Frames.emplace_back(FrameClock().Now() - start, FrameClock().BeatSeconds());
    return keys == 40 && std::none_of(windows.begin(), windows.end(), [](auto& w) { return w->Player.Animating(); });
  }));
  keyboard.join();
  Application.RemoveMessageFilter(filter);
  return windows;
}

TEST(FrameClock, EveryWindowDrawsOnEveryBeatAndNeitherAChangeNorInputWaits) {
  Application.Initialize();
  const bool composing = GetEnvironmentVariableA("LUMI_COMPOSITOR", nullptr, 0) > 0;
  const std::string off = "composition goes";
  struct {
    std::string Name;
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
      {off, 3, "60", [] { LARGE_INTEGER now;
         QueryPerformanceCounter(&now), SetEnvironmentVariableA("LUMI_DWM_OFF_AT", std::to_string(now.QuadPart).c_str()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    SetEnvironmentVariableA("LUMI_DWM_HZ", c.Hz);
    std::vector<double> keyWaits;
    const auto windows = PlayDissolve(c.Windows, c.Change ? c.Change : [] {}, keyWaits);
    EXPECT_EQ(FrameClock().Composing(), composing && c.Name != off);
    // The machine may leave the whole process unscheduled for a moment, which no clock can help:
    // a few late keys and gaps are its, not the clock's. Waiting on the display inside a frame
    // keeps most keys waiting for beats, and an unarmed timer stalls a transition for seconds.
    const double beat = FrameClock().BeatSeconds();
    std::sort(keyWaits.begin(), keyWaits.end());
    EXPECT_LE(keyWaits[keyWaits.size() * 9 / 10], beat) << "keys waited longer than a beat";
    EXPECT_LE(keyWaits.back(), 5 * beat) << "a key waited for beats";
    for (auto& w : windows) {
      ASSERT_FALSE(w->Frames.empty());
      const auto& [end, lastBeat] = w->Frames.back();
      EXPECT_LE(end, 3.0 + 2 * lastBeat) << "the transition ended late";
      EXPECT_GE(c.Change ? 1e9 : w->Frames.size(), 0.97 * 3.0 / lastBeat) << "frames drawn of the beats";
      size_t longGaps = 0;
      for (size_t i = 1; i < w->Frames.size(); ++i) {
        const double gap = w->Frames[i].first - w->Frames[i - 1].first;
        const double allowed = 2 * std::max(w->Frames[i].second, w->Frames[i - 1].second);
        longGaps += gap > allowed;
        EXPECT_LE(gap, 5 * allowed) << "a stall after frame " << i << " of " << w->Frames.size();
      }
      EXPECT_LE(longGaps, w->Frames.size() * 3 / 100) << "gaps of more than two beats";  // as many as beats may be missed
    }
    FrameClock().SetPolicy({}), SetEnvironmentVariableA("LUMI_DWM_OFF_AT", nullptr);  // as before the case
  }
}

}  // namespace
