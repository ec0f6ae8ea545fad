// However the process ends, the registered steps run: a crash runs each once, newest first, and a
// window disabled under a dialog of ours is enabled again on every way out.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/AbnormalEndWin32.h"

TEST(AbnormalEnd, ACrashRunsEveryStepOnceNewestFirst) {
  std::string ran;
  InstallAbnormalEnd();
  const LPTOP_LEVEL_EXCEPTION_FILTER filter = SetUnhandledExceptionFilter(nullptr);
  { TAbnormalEndStep gone([&] { ran += "gone"; }); }
  TAbnormalEndStep first([&] { ran += "1"; });
  TAbnormalEndStep second([&] { ran += "2", throw std::runtime_error("the others still run"); });
  EXCEPTION_RECORD record{};
  EXCEPTION_POINTERS pointers{&record, nullptr};
  EXPECT_EQ(filter(&pointers), EXCEPTION_CONTINUE_SEARCH);  // the process then dies as it would
  RunAbnormalEndSteps();
  EXPECT_EQ(ran, "21");
}

TEST(AbnormalEnd, AWindowDisabledIsEnabledOnEveryWayOut) {
  const HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  for (int way = 0; way < 3; ++way) {
    std::optional<TDisabledWindow> lock(std::in_place);
    lock->Disable(other);
    EXPECT_FALSE(IsWindowEnabled(other));
    way == 0 ? lock->Enable() : way == 1 ? lock.reset() : RunAbnormalEndSteps();
    EXPECT_TRUE(IsWindowEnabled(other)) << way;
  }
  DestroyWindow(other);
}
