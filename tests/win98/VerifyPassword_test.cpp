// The password check on the Windows 95 family, with the real registry and system directory and
// a stand-in PASSWORD.CPL: when it asks, what it hands the prompt, what it makes of the answer,
// the cursor around the prompt, and a missing library or entry point.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "base/RunState.h"
#include "host/OsVersionWin32.h"
#include "host/Password.h"
#include "host/PasswordSetting.h"
#include "tests/standins/StandInInstall.h"
#include "tests/support/Le32.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestWindows.h"

namespace {

// The password switch as stored: nothing, or a type and its bytes.
struct TStoredSwitch {
  DWORD Type = REG_NONE;  // REG_NONE: no value
  std::string Data;
};

void StoreSwitch(const TStoredSwitch& stored) {
  if (stored.Type == REG_NONE)
    DeleteRegValue(DesktopKeyPath, UsePasswordValueName);
  else
    WriteRegValueA(DesktopKeyPath, UsePasswordValueName, stored.Type, stored.Data);
}

// As in a full-screen session: a window of ours in the foreground and the cursor hidden; no
// password switch and no stand-in calls yet.
class VerifyPassword95 : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(IsWindowsNT()) << "Wine does not report the Windows 95 family to this program";
    ResetStandIns();
    StoreSwitch({});
    FWindow.Reset(CreateWindowExA(0, "STATIC", "saver", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, nullptr, nullptr,
                                  nullptr, nullptr));
    ASSERT_TRUE(FWindow);
    SetForegroundWindow(FWindow.Get());
    ASSERT_EQ(GetForegroundWindow(), FWindow.Get());
    ShowCursor(FALSE);
    FCursorBefore = CursorCount();
    ASSERT_TRUE(SetCursorPos(100, 110));
    FStartCursor = TPoint{-1, -1};
  }
  void TearDown() override {
    ShowCursor(TRUE);
    StoreSwitch({});
    ResetStandIns();
  }

  // Calls VerifyPassword and checks what holds for every call: the cursor is as hidden as
  // before and no password library stays loaded.
  bool Verify() {
    const bool mayEnd = VerifyPassword(FStartCursor);
    EXPECT_EQ(CursorCount(), FCursorBefore);
    EXPECT_EQ(GetModuleHandleA(InstalledPasswordName), nullptr);
    return mayEnd;
  }

  TWindow FWindow;
  int FCursorBefore = 0;
  TPoint FStartCursor;  // the session's movement origin
};

}  // namespace

TEST_F(VerifyPassword95, WithoutThePasswordSwitchedOnTheSessionEndsUnasked) {
  TInstalledStandIn cpl(StandInPasswordFile, InstalledPasswordName);
  SetStandIn(VerifyAnswerValue, 0);
  const TStoredSwitch cases[] = {{}, {REG_DWORD, Le32(0)}};
  for (const TStoredSwitch& stored : cases) {
    SCOPED_TRACE(stored.Type == REG_NONE ? "no value" : "0");
    StoreSwitch(stored);
    EXPECT_TRUE(Verify());
    EXPECT_EQ(StandInRecord(VerifyCallsValue), std::nullopt);
    EXPECT_EQ(std::pair(FStartCursor.X, FStartCursor.Y), std::pair(-1, -1));
  }
}

// The stand-in moves the cursor while it asks, as a user answering the prompt would.
TEST_F(VerifyPassword95, ThePromptDecidesAndMovementCountsFromWhereItLeftTheCursor) {
  struct TCase {
    const char* What;
    TStoredSwitch Stored;
    DWORD Answer;
    bool MayEnd;
  } cases[] = {
      {"switch 1, wrong password", {REG_DWORD, Le32(1)}, 0, false},
      {"switch 1, right password", {REG_DWORD, Le32(1)}, 1, true},
      {"any non-zero answer", {REG_DWORD, Le32(1)}, 0xFFFF0000u, true},
      {"any non-zero switch", {REG_DWORD, Le32(0x100)}, 0, false},
      {"a text as the switch asks", {REG_SZ, std::string("0\0", 2)}, 0, false},
      {"a long value as the switch asks", {REG_BINARY, Le32(0) + Le32(0)}, 0, false},
  };
  TInstalledStandIn cpl(StandInPasswordFile, InstalledPasswordName);
  DWORD x = 300;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    ResetStandIns();
    StoreSwitch(c.Stored);
    SetStandIn(VerifyAnswerValue, c.Answer);
    SetStandIn(VerifyCursorXValue, ++x);
    SetStandIn(VerifyCursorYValue, 201);
    FStartCursor = TPoint{-1, -1};

    EXPECT_EQ(Verify(), c.MayEnd);
    EXPECT_EQ(StandInRecord(VerifyCallsValue), std::optional<ULONGLONG>(1));
    EXPECT_EQ(StandInRecord(VerifyWindowValue), std::optional<ULONGLONG>(reinterpret_cast<ULONG_PTR>(FWindow.Get())));
    // Shown for the prompt, hidden again afterwards (checked by Verify).
    EXPECT_EQ(StandInRecord(VerifyCursorCountValue), std::optional<ULONGLONG>(static_cast<DWORD>(FCursorBefore + 1)));
    EXPECT_EQ(std::pair(FStartCursor.X, FStartCursor.Y), std::pair(static_cast<int32_t>(x), 201));
  }
}

// A missing library or entry point lets the session end without a prompt; the cursor is still
// shown and hidden again, and the movement origin taken anew.
TEST_F(VerifyPassword95, WithoutThePromptTheSessionEnds) {
  StoreSwitch({REG_DWORD, Le32(1)});
  ASSERT_EQ(GetFileAttributesA(SystemDirectoryPath(InstalledPasswordName).c_str()), INVALID_FILE_ATTRIBUTES);
  for (const char* file : {static_cast<const char*>(nullptr), StandInMprFile}) {
    SCOPED_TRACE(file ? "a PASSWORD.CPL without VerifyScreenSavePwd" : "no PASSWORD.CPL");
    std::optional<TInstalledStandIn> cpl;
    if (file) cpl.emplace(file, InstalledPasswordName);
    FStartCursor = TPoint{-1, -1};
    EXPECT_TRUE(Verify());
    EXPECT_EQ(std::pair(FStartCursor.X, FStartCursor.Y), std::pair(100, 110));
    EXPECT_EQ(StandInRecord(VerifyCallsValue), std::nullopt);
  }
}
