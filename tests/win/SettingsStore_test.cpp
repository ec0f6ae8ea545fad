// The settings key in the real per-user hive. What the store makes of each stored value is proven
// natively, and the accessor keeps the in-memory registry's rules on the real one (the contract in
// Registry_test.cpp); left for here: the key the program names, made by a first run in the real
// hive with its parent, holding what a save writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "registry/Registry.h"
#include "settings/SettingsStore.h"

namespace {

void RemoveKeys() {
  RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath);
  RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tarnwell");  // only when empty
}

// Whether the key exists, and how many values it holds.
std::optional<DWORD> ValueCount() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return values;
}

}  // namespace

TEST(SettingsStoreSystem, AFirstRunLeavesTheEmptyKeyAndASaveIsReadBack) {
  RemoveKeys();
  ASSERT_FALSE(ValueCount());
  EXPECT_EQ(ReadEffect(SystemRegistry()), 23);
  EXPECT_EQ(ValueCount(), std::optional<DWORD>(0));
  SaveSettings(SystemRegistry(), TConfigPage::Links, 24);
  EXPECT_EQ(ReadEffect(SystemRegistry()), 24);
  EXPECT_EQ(ValueCount(), std::optional<DWORD>(2));
  RemoveKeys();
}
