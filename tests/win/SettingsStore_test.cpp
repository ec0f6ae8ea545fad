// The settings key in the real per-user hive: a first run leaves the empty key, stored effects
// reach the saver unchanged, a text under Effect raises the read error.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Registry.h"
#include "settings/SettingsStore.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/Raised.h"

namespace {

class SettingsStoreSystem : public ::testing::Test {
protected:
  void SetUp() override { RemoveKeys(); }
  void TearDown() override { RemoveKeys(); }

  static void RemoveKeys() {
    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath);
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tarnwell");  // only when empty
  }

  static void Store(DWORD type, const void* data, DWORD size) {
    ASSERT_TRUE(WriteRegValueA(SettingsKeyPath, "Effect", type, std::string(static_cast<const char*>(data), size)));
  }

  // Whether the key exists, and how many values it holds.
  static std::optional<DWORD> ValueCount() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return values;
  }
};

}  // namespace

TEST_F(SettingsStoreSystem, NoKeyGivesTheDefaultAndLeavesTheEmptyKey) {
  ASSERT_FALSE(ValueCount());
  EXPECT_EQ(ReadEffect(SystemRegistry()), 23);
  EXPECT_EQ(ValueCount(), std::optional<DWORD>(0));
}

TEST_F(SettingsStoreSystem, StoredEffectReachesTheSaverUnchanged) {
  for (int32_t stored : {24, 99, -1}) {
    Store(REG_DWORD, &stored, 4);
    EXPECT_EQ(ReadEffect(SystemRegistry()), stored);
  }
}

TEST_F(SettingsStoreSystem, TextUnderEffectRaisesAReadError) {
  struct TCase {
    const char* Text;
    std::string Error;
  } cases[] = {{"23", RegistryTypeErrorText("Effect")}, {"Fade", RegistryGetErrorText("Effect")}};
  for (const TCase& c : cases) {
    Store(REG_SZ, c.Text, static_cast<DWORD>(strlen(c.Text) + 1));
    EXPECT_EQ(Raised([] { ReadEffect(SystemRegistry()); }), "ERegistryException: " + c.Error) << c.Text;
  }
}

TEST_F(SettingsStoreSystem, SavedSettingsAreReadBack) {
  SaveSettings(SystemRegistry(), TConfigPage::Links, 24);
  EXPECT_EQ(LoadSettings(SystemRegistry()), 24);
  EXPECT_EQ(ValueCount(), std::optional<DWORD>(2));
}
