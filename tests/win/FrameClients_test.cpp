// Several windows animating at once on the one message loop: every client whose frame is due
// draws it, timer-paced and self-paced clients side by side, and a removed client draws no more.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "base/ApplicationWin32.h"
#include "base/OwnersWin32.h"

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

// Runs the loop until no client animates (at most 5 s).
void RunFrames() {
  const ULONGLONG end = GetTickCount64() + 5000;
  while (GetTickCount64() < end) {
    if (!Application.AnyAnimates()) return;
    Application.HandleMessage();
  }
}

TEST(FrameClients, EveryAnimatingClientDrawsItsFramesSideBySide) {
  Application.Initialize();
  for (bool selfPaced : {false, true}) {
    SCOPED_TRACE(selfPaced ? "beside a self-paced client" : "two timed clients");
    std::string log;
    TTestClient a('a', 10, selfPaced, log), b('b', 10, false, log), idle('i', 0, false, log);
    RunFrames();
    EXPECT_EQ(std::count(log.begin(), log.end(), 'a'), 10) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), 'b'), 10) << log;
    EXPECT_EQ(log.find('i'), std::string::npos) << log;
    // Side by side, not one after the other.
    EXPECT_LT(log.find('b'), log.rfind('a')) << log;
    EXPECT_LT(log.find('a'), log.rfind('b')) << log;
  }
}

TEST(FrameClients, ARemovedClientDrawsNoMore) {
  Application.Initialize();
  std::string log;
  TTestClient a('a', 10, false, log), b('b', 1000, false, log);
  Application.RemoveFrameClient(b.Id);
  RunFrames();
  EXPECT_EQ(log, std::string(10, 'a'));
}

}  // namespace
