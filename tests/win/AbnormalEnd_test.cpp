// What must be put back however the process ends: the crash filter runs the registered steps,
// newest first, once; and another program's window disabled under a modal window of ours is
// enabled again whether that window closes, goes with its object, or the process crashes.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/AbnormalEndWin32.h"
#include "tests/support/TestWindows.h"

TEST(AbnormalEnd, ACrashRunsEveryStepOnceNewestFirst) {
  std::string ran;
  InstallAbnormalEnd();
  const LPTOP_LEVEL_EXCEPTION_FILTER filter = SetUnhandledExceptionFilter(nullptr);
  ASSERT_NE(filter, nullptr);
  {
    TAbnormalEndStep gone([&] { ran += "gone"; });
  }
  TAbnormalEndStep first([&] { ran += "1"; });
  TAbnormalEndStep second([&] {
    ran += "2";
    throw std::runtime_error("a step that fails does not stop the others");
  });
  EXCEPTION_RECORD record{};
  record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
  EXCEPTION_POINTERS pointers{&record, nullptr};
  EXPECT_EQ(filter(&pointers), EXCEPTION_CONTINUE_SEARCH);  // the process then dies as it would
  EXPECT_EQ(ran, "21");
  RunAbnormalEndSteps();
  EXPECT_EQ(ran, "21");
}

TEST(AbnormalEnd, AWindowDisabledIsEnabledOnEveryWayOut) {
  const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
  for (int way = 0; way < 3; ++way) {
    std::optional<TDisabledWindow> lock(std::in_place);
    lock->Disable(other);
    EXPECT_FALSE(IsWindowEnabled(other));
    if (way == 0) lock->Enable();
    if (way == 1) lock.reset();
    if (way == 2) RunAbnormalEndSteps();
    EXPECT_TRUE(IsWindowEnabled(other)) << way;
  }
  DestroyWindow(other);
}
