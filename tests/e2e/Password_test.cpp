// The password mode: Lumivale.scr hands the change to MPR.DLL of the system directory with the
// host's window, and ends with 0 showing nothing, also when the library or its entry point is
// missing, and with the system's own library. A stand-in MPR.DLL records the call.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"
#include "tests/standins/StandInInstall.h"

namespace {

// Wine loads its own MPR.DLL before any file of that name; this makes Lumivale.scr alone load
// the file in the system directory ("native"), or no MPR.DLL at all ("").
const std::string OverridesKey = AppDefaultsKey + "\\DllOverrides";

enum class TMpr { StandIn, WithoutEntryPoint, NotLoadable, System };

struct TPasswordCase {
  const char* Name;
  const char* Arguments;
  TMpr Mpr;
  std::optional<ULONGLONG> Window;  // as the stand-in got it; nothing: no call
};

void PrintTo(const TPasswordCase& c, std::ostream* out) { *out << '"' << c.Arguments << '"'; }

class PasswordMode : public testing::TestWithParam<TPasswordCase> {};

TEST_P(PasswordMode, HandsTheChangeToMprAndEndsWith0) {
  const TPasswordCase& c = GetParam();
  ResetStandIns();
  TSavedRegValue keepOverride(OverridesKey, "mpr");
  std::unique_ptr<TInstalledStandIn> mpr;
  if (c.Mpr == TMpr::StandIn) mpr = std::make_unique<TInstalledStandIn>(StandInMprFile, InstalledMprName);
  // The stand-in PASSWORD.CPL is a library without PwdChangePasswordA.
  if (c.Mpr == TMpr::WithoutEntryPoint) mpr = std::make_unique<TInstalledStandIn>(StandInPasswordFile, InstalledMprName);
  if (c.Mpr == TMpr::System)
    DeleteRegValue(OverridesKey, "mpr");
  else
    WriteRegString(OverridesKey, "mpr", c.Mpr == TMpr::NotLoadable ? "" : "native");

  TProcess scr = TProcess::Launch(SaverPath(), c.Arguments);
  ExpectEndsWith0AndNoBox(scr, StartTimeout);

  if (c.Window) {
    EXPECT_EQ(ReadRegDword(StandInKeyPath, ChangeCallsValue), std::optional<DWORD>(1));
    EXPECT_EQ(ReadRegString(StandInKeyPath, ChangeKeyNameValue), std::optional<std::string>("SCRSAVE"));
    EXPECT_EQ(StandInRecord(ChangeWindowValue), c.Window);
    EXPECT_EQ(ReadRegDword(StandInKeyPath, ChangeReserved1Value), std::optional<DWORD>(0));
    EXPECT_EQ(ReadRegDword(StandInKeyPath, ChangeReserved2Value), std::optional<DWORD>(0));
  } else {
    EXPECT_FALSE(KeyExists(StandInKeyPath)) << "the stand-in was called";
  }
  ResetStandIns();
}

INSTANTIATE_TEST_SUITE_P(
    , PasswordMode,
    testing::Values(TPasswordCase{"HostWindow", "/a 1234", TMpr::StandIn, 1234},
                    // Window handles are 32-bit values, sign-extended to the 64-bit handle.
                    TPasswordCase{"NegativeHandle", "/a -2", TMpr::StandIn, 0xFFFFFFFFFFFFFFFEull},
                    TPasswordCase{"WithoutEntryPoint", "/a 1234", TMpr::WithoutEntryPoint, std::nullopt},
                    TPasswordCase{"WithoutMpr", "/a 1234", TMpr::NotLoadable, std::nullopt},
                    TPasswordCase{"SystemMpr", "/a 12", TMpr::System, std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
