// The settings key as the saver and the dialog see it: defaults, stored values handed on
// unchanged, the read and write errors, and the key left behind by a first run.
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "registry/MemoryRegistry.h"
#include "settings/EffectList.h"
#include "settings/SettingsStore.h"
#include "tests/support/Le32.h"
#include "tests/support/Raised.h"

TEST(SettingsStore, FirstRunReadsTheDefaultAndLeavesTheEmptyKey) {
  TMemoryRegistry registry;
  EXPECT_EQ(ReadEffect(registry), DefaultEffect);
  EXPECT_EQ(DefaultEffect, 23);
  EXPECT_TRUE(registry.KeyExists(SettingsKeyPath));
  EXPECT_EQ(registry.ValueCount(SettingsKeyPath), 0u);
  EXPECT_EQ(registry.OpenKeyCount(), 0);
  EXPECT_EQ(EffectNames[DefaultEffect], "Fade");
  EXPECT_EQ(OpeningConfigPage, TConfigPage::Tips);
}

TEST(SettingsStore, HandsTheStoredEffectOnUnchanged) {
  for (int32_t stored : {0, 5, 24, 99, -1, INT32_MIN}) {
    TMemoryRegistry registry;
    registry.SetInteger("software\\tarnwell\\TARNWELL - LUMIVALE", "effect", stored);
    EXPECT_EQ(ReadEffect(registry), stored);
  }
}

TEST(SettingsStore, RejectsAnEffectThatIsNotA4ByteInteger) {
  const std::string get = "ERegistryException: " + RegistryGetErrorText("Effect");
  const std::string type = "ERegistryException: " + RegistryTypeErrorText("Effect");
  struct TCase {
    const char* What;
    TRegType Type;
    std::string Data;
    std::string Error;
  } cases[] = {
      {"short text", TRegType::String, std::string("23", 3), type},
      {"text of 4 characters", TRegType::String, std::string("Fade", 5), get},
      {"4 raw bytes", TRegType::Binary, Le32(23), type},
      {"8-byte value", TRegType::Qword, Le32(23) + Le32(0), get},
      {"8 raw bytes", TRegType::Binary, Le32(23) + Le32(0), get},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TMemoryRegistry registry;
    registry.SetValue(SettingsKeyPath, "Effect", c.Type, c.Data);
    int32_t effect = -7;
    EXPECT_EQ(Raised([&] { effect = ReadEffect(registry); }), c.Error);
    EXPECT_EQ(effect, -7);
    EXPECT_EQ(registry.OpenKeyCount(), 0);  // closed on the error path too
  }
}

TEST(SettingsStore, AKeyWithoutRightsReadsAsDefaultAndAFailingSaveStopsWithItsError) {
  TMemoryRegistry registry;
  registry.DenyKey(SettingsKeyPath);
  EXPECT_EQ(Raised([&] { ReadEffect(registry); }), "");
  EXPECT_EQ(ReadEffect(registry), 23);

  struct TCase {
    TConfigPage Page;
    const char* FailingValue;
  } cases[] = {{TConfigPage::Options, "ActiveTabSheet"}, {TConfigPage::Links, "ActiveTabSheet"},
               {TConfigPage::About, "ActiveTabSheet"}, {TConfigPage::Tips, "Effect"}};
  for (const TCase& c : cases)
    EXPECT_EQ(Raised([&] { SaveSettings(registry, c.Page, 5); }),
              "ERegistryException: " + RegistrySetErrorText(c.FailingValue));
  EXPECT_FALSE(registry.KeyExists(SettingsKeyPath));

  // A key that takes no writes: the save stops at the page, before the effect.
  TMemoryRegistry failing;
  failing.SetInteger(SettingsKeyPath, "Effect", 3);
  failing.FailWritesTo(SettingsKeyPath);
  EXPECT_THROW(SaveSettings(failing, TConfigPage::Options, 24), ERegistryException);
  EXPECT_EQ(ReadEffect(failing), 3);
  EXPECT_EQ(failing.OpenKeyCount(), 0);
}

TEST(SettingsStore, SavesThePageShownExceptTipsAndTheEffect) {
  struct TCase {
    TConfigPage Page;
    int32_t Effect;
    int32_t ActiveTabSheet;  // what is stored afterwards; 7 was there before
  } cases[] = {{TConfigPage::Options, 24, 1}, {TConfigPage::Links, 0, 2}, {TConfigPage::About, 23, 3},
               {TConfigPage::Tips, -1, 7}};
  for (const TCase& c : cases) {
    TMemoryRegistry registry;
    registry.SetInteger(SettingsKeyPath, "ActiveTabSheet", 7);
    SaveSettings(registry, c.Page, c.Effect);
    for (auto [name, number] : {std::pair{"ActiveTabSheet", c.ActiveTabSheet}, {"Effect", c.Effect}}) {
      const auto stored = registry.Value(SettingsKeyPath, name);
      EXPECT_EQ(std::pair(stored->Type, stored->Data), std::pair(TRegType::Dword, Le32(static_cast<uint32_t>(number))))
          << name;
    }
    EXPECT_EQ(registry.ValueCount(SettingsKeyPath), 2u);
    EXPECT_EQ(ReadEffect(registry), c.Effect);
  }
}
