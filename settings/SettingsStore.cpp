// The settings accessors: each opens the settings key with create, does its step and closes it.
#include "settings/SettingsStore.h"

#include "settings/EffectList.h"

namespace {

std::unique_ptr<TRegistryKey> OpenSettingsKey(TRegistry& registry) {
  return registry.OpenCurrentUserKey(SettingsKeyPath, true);
}

}  // namespace

int32_t ReadEffect(TRegistry& registry) {
  auto key = OpenSettingsKey(registry);
  return key->ValueExists(EffectValueName) ? key->ReadInteger(EffectValueName) : DefaultEffect;
}


void SaveSettings(TRegistry& registry, TConfigPage shownPage, int32_t selectedEffect) {
  auto key = OpenSettingsKey(registry);
  switch (shownPage) {
    case TConfigPage::Options: key->WriteInteger(ActiveTabSheetValueName, 1); break;
    case TConfigPage::Links: key->WriteInteger(ActiveTabSheetValueName, 2); break;
    case TConfigPage::About: key->WriteInteger(ActiveTabSheetValueName, 3); break;
    case TConfigPage::Tips: break;
  }
  key->WriteInteger(EffectValueName, selectedEffect);
}
