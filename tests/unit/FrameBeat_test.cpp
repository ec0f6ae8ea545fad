// Where the frame clock's beats fall, and a beat's frames composed side by side.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "display/BeatGrid.h"
#include "display/ComposeWorkers.h"

namespace {

TEST(FrameBeat, NextBeatFallsOnTheGridAndSkipsWhatItMissed) {
  struct {
    const char* Name;
    int64_t Origin, Period, Last, Frame, Now, Next;
  } cases[] = {
      {"timer, on time", 1000, 100, 1000, 100, 1050, 1100},
      {"timer, two beats late", 1000, 100, 1000, 100, 1250, 1300},
      {"refreshes, woken late", 995, 100, 995, 100, 1003, 1095},
      {"refreshes, woken early", 995, 100, 995, 100, 990, 1095},
      {"refreshes, half the rate", 995, 100, 995, 200, 1000, 1195},
      {"refreshes, a frame time between two of them", 995, 100, 995, 160, 1000, 1195},
      {"a grid that starts later", 1000, 100, 0, 100, 500, 600},
  };
  for (const auto& c : cases) EXPECT_EQ(NextBeat(c.Origin, c.Period, c.Last, c.Frame, c.Now), c.Next) << c.Name;
}

TEST(FrameBeat, TheComposeWorkersRunEveryJobOnceAndHandBackAFailureAfterAll) {
  TComposeWorkers workers;
  std::atomic<int> runs[5] = {};
  EXPECT_THROW(workers.Run(5, [&](size_t i) { if (++runs[i] == 1 && i == 1) throw std::runtime_error("no memory"); }),
               std::runtime_error);
  for (auto& r : runs) EXPECT_EQ(r.load(), 1);
}

}  // namespace
