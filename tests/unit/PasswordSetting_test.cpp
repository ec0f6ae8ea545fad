// The saver-password switch: which stored values ask for the password, and that no value,
// however odd, raises or lets the session end unasked.
#include <gtest/gtest.h>

#include "host/PasswordSetting.h"
#include "registry/MemoryRegistry.h"
#include "tests/support/Le32.h"

TEST(PasswordSetting, StoredValues) {
  struct TCase {
    const char* What;
    TRegType Type;
    std::string Data;
    bool InUse;
  } cases[] = {
      {"0", TRegType::Dword, Le32(0), false},          {"1", TRegType::Dword, Le32(1), true},
      {"any non-zero value", TRegType::Dword, Le32(0x80000000u), true},
      {"a text", TRegType::String, std::string("0\0", 2), true},
      {"a long text", TRegType::String, std::string("1234567\0", 8), true},
      {"4 raw bytes of 0", TRegType::Binary, Le32(0), true}, {"8 bytes of 0", TRegType::Qword, Le32(0) + Le32(0), true},
      {"no data", TRegType::Binary, "", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TMemoryRegistry registry;
    registry.SetValue("control panel\\Desktop", "screensaveusepassword", c.Type, c.Data);
    bool inUse = !c.InUse;
    EXPECT_NO_THROW(inUse = SaverPasswordInUse(registry));
    EXPECT_EQ(inUse, c.InUse);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
    EXPECT_EQ(registry.Value(DesktopKeyPath, UsePasswordValueName)->Data, c.Data);
  }
}

TEST(PasswordSetting, NoKeyNoValueOrNoRightsMeansNoPassword) {
  TMemoryRegistry registry;
  EXPECT_FALSE(SaverPasswordInUse(registry));
  EXPECT_FALSE(registry.KeyExists(DesktopKeyPath));

  registry.SetString(DesktopKeyPath, "ScreenSaveActive", "1");
  EXPECT_FALSE(SaverPasswordInUse(registry));
  EXPECT_EQ(registry.ValueCount(DesktopKeyPath), 1u);

  registry.SetInteger(DesktopKeyPath, UsePasswordValueName, 1);
  EXPECT_TRUE(SaverPasswordInUse(registry));
  registry.DenyKey("Control Panel");
  EXPECT_FALSE(SaverPasswordInUse(registry));
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}
