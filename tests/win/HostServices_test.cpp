// The host services on the NT family (Wine's default): the version record, a password check that
// touches nothing, and the running flag as the system reports it back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/RunState.h"
#include "host/OsVersionWin32.h"
#include "host/Password.h"
#include "host/PasswordSetting.h"
#include "host/RunningFlag.h"
#include "registry/Registry.h"
#include "tests/support/Le32.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestWindows.h"

namespace {

// The system's registry, counting the keys anyone opens through it.
class TCountingRegistry : public TRegistry {
public:
  std::unique_ptr<TRegistryKey> OpenCurrentUserKey(const std::string& path, bool create) override {
    ++Opened;
    return SystemRegistry().OpenCurrentUserKey(path, create);
  }
  std::vector<std::string> SubKeyNames(const std::string& path) override { return SystemRegistry().SubKeyNames(path); }
  void DeleteKeyIfEmpty(const std::string& path) override { SystemRegistry().DeleteKeyIfEmpty(path); }
  int Opened = 0;
};

}  // namespace

TEST(HostServicesNT, ReadsTheVersionRecordOfTheNTFamily) {
  OSVERSIONINFOA info;
  std::memset(&info, 0xCC, sizeof info);
  ASSERT_TRUE(GetOSVersionInfo(info));
  EXPECT_EQ(info.dwOSVersionInfoSize, 148u);
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_GE(info.dwMajorVersion, 5u);
  // The record was zero-filled: the text after the service-pack name's NUL is clean.
  const std::string servicePack(info.szCSDVersion, sizeof info.szCSDVersion);
  EXPECT_EQ(servicePack.find_first_not_of('\0', servicePack.find('\0')), std::string::npos);
  EXPECT_TRUE(IsWindowsNT());
}

// With the password switched on in the registry, the NT family still ends the session at once:
// no key is opened, the cursor is not shown and the movement origin stays where it was.
TEST(HostServicesNT, VerifyPasswordEndsAtOnceAndTouchesNothing) {
  TCountingRegistry counting;
  TUseRegistry use(counting);
  for (const std::string& stored : {Le32(1), std::string("yes", 4)}) {
    ASSERT_TRUE(WriteRegValueA(DesktopKeyPath, UsePasswordValueName, stored.size() == 4 ? REG_DWORD : REG_SZ, stored));
    ASSERT_TRUE(SaverPasswordInUse(SystemRegistry()));
    TPoint startCursor{-4321, 1234};
    const int cursorBefore = CursorCount();
    EXPECT_TRUE(VerifyPassword(startCursor));
    EXPECT_EQ(counting.Opened, 0);
    EXPECT_EQ(CursorCount(), cursorBefore);
    EXPECT_EQ(std::pair(startCursor.X, startCursor.Y), std::pair(-4321, 1234));
  }
  RegDeleteKeyValueA(HKEY_CURRENT_USER, DesktopKeyPath, UsePasswordValueName);
}

TEST(HostServicesNT, TheRunningFlagIsWhatTheSystemReportsBack) {
  for (bool running : {true, false, true, false}) {
    SetScreenSaverRunning(running);
    BOOL reported = !running;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &reported, 0));
    EXPECT_EQ(reported != FALSE, running);
  }
}
