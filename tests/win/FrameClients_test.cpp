// Several windows animating at once on the one message loop: every client whose frame is due
// draws it, timer-paced and self-paced clients side by side, and a removed client draws no more.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"
#include "tests/support/MessageLoop.h"

namespace {

// A client that wants `frames` frames, 5 ms apart: by its own waitable timer, or (self-paced) by
// waiting inside its frame as a client that waits for the display does. Each frame is logged.
class TTestClient {
public:
  TTestClient(char name, int frames, bool selfPaced, std::string& log) : FName(name), FLeft(frames), FLog(log) {
    if (!selfPaced) {
      FTimer.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
      Schedule();
    }
    Id = Application.AddFrameClient({[this] { return FLeft > 0; }, [this] { return FTimer.Get(); }, [this] { Draw(); }});
  }
  ~TTestClient() { Application.RemoveFrameClient(Id); }
  int Id = 0;

private:
  void Draw() {
    FLog += FName;
    --FLeft;
    if (FTimer)
      Schedule();
    else
      Sleep(5);
  }

  void Schedule() {
    LARGE_INTEGER due;
    due.QuadPart = -50000;  // 5 ms
    SetWaitableTimer(FTimer.Get(), &due, 0, nullptr, nullptr, FALSE);
  }
  char FName;
  int FLeft;
  std::string& FLog;
  TKernelHandle FTimer;
};

TEST(FrameClients, EveryAnimatingClientDrawsItsFramesSideBySideAndARemovedOneNone) {
  Application.Initialize();
  for (bool selfPaced : {false, true}) {
    SCOPED_TRACE(selfPaced ? "beside a self-paced client" : "two timed clients");
    std::string log;
    TTestClient a('a', 10, selfPaced, log), b('b', 10, false, log), idle('i', 0, false, log), removed('r', 1000, false, log);
    Application.RemoveFrameClient(removed.Id);
    ASSERT_TRUE(PumpUntil([] { return !Application.AnyAnimates(); }, 5));
    EXPECT_EQ(std::count(log.begin(), log.end(), 'a'), 10) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), 'b'), 10) << log;
    EXPECT_EQ(log.find_first_of("ir"), std::string::npos) << log;
    // Side by side, not one after the other.
    EXPECT_LT(log.find('b'), log.rfind('a')) << log;
    EXPECT_LT(log.find('a'), log.rfind('b')) << log;
  }
}

}  // namespace
