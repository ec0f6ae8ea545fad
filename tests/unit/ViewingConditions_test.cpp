// From what the system tells of the display and the session to the frame policy every window's
// transitions follow.
#include <gtest/gtest.h>

#include <functional>

#include "saver/ViewingConditions.h"

TEST(ViewingConditions, PolicyFollowsDisplaySessionRemoteAndBatterySaver) {
  using TStep = std::function<void(TViewingConditions&)>;
  const TStep displayOff = [](TViewingConditions& c) { c.SetDisplayPower(TDisplayPower::Off); };
  const TStep dimmed = [](TViewingConditions& c) { c.SetDisplayPower(TDisplayPower::Dimmed); };
  auto event = [](TSessionEvent e, bool remote = false) {
    return TStep([=](TViewingConditions& c) { c.SessionChanged(e, remote); });
  };
  struct TCase {
    const char* Name;
    std::vector<TStep> Steps;
    TFramePolicy Expected;
  } cases[] = {
      {"nothing told", {}, {false, 0, 1.0}},                  {"display off", {displayOff}, {true, 0, 1.0}},
      {"display off, then dimmed", {displayOff, dimmed}, {false, 0, 1.0}}, {"locked", {event(TSessionEvent::Lock)}, {true, 0, 1.0}},
      {"locked and unlocked", {event(TSessionEvent::Lock), event(TSessionEvent::Unlock)}, {false, 0, 1.0}},
      {"unlocked with the display still off", {displayOff, event(TSessionEvent::Lock), event(TSessionEvent::Unlock)},
       {true, 0, 1.0}},
      {"console disconnected", {event(TSessionEvent::ConsoleDisconnect)}, {true, 0, 1.0}},
      {"reconnected remotely", {event(TSessionEvent::ConsoleDisconnect), event(TSessionEvent::RemoteConnect, true)},
       {false, RemoteFramesPerSecond, 1.0}},
      {"remote disconnected", {event(TSessionEvent::RemoteDisconnect, true)}, {true, RemoteFramesPerSecond, 1.0}},
      {"battery saver", {[](TViewingConditions& c) { c.SetBatterySaver(true); }}, {false, 0, 0.5}},
  };
  for (const TCase& c : cases) {
    TViewingConditions conditions;
    for (const TStep& step : c.Steps) step(conditions);
    EXPECT_EQ(conditions.Policy(), c.Expected) << c.Name;
  }
}

TEST(ViewingConditions, FrameTimeUnderThePolicy) {
  const double display = 1.0 / 60;
  EXPECT_DOUBLE_EQ(FrameSecondsUnder({}, display), display);
  EXPECT_DOUBLE_EQ(FrameSecondsUnder({false, 10, 1.0}, display), 0.1);
  EXPECT_DOUBLE_EQ(FrameSecondsUnder({false, 0, 0.5}, display), 2 * display);
  EXPECT_DOUBLE_EQ(FrameSecondsUnder({false, 10, 0.5}, 1.0 / 240), 0.1);  // the slower of the two
  EXPECT_DOUBLE_EQ(FrameSecondsUnder({false, 10, 0.5}, 1.0 / 15), 2.0 / 15);
}
