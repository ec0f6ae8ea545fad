// The navigation-sound and page-transition guards over the registry accessor.
#include "host/BrowserGuards.h"

namespace {

// Opens `keyPath` without creating it and hands the key to `change` only when `valueName` exists
// there with the setting's type; the key is closed on every path out, an error's included.
template <typename TChange>
void WithExistingValue(TRegistry& registry, const char* keyPath, const char* valueName, TChange change) {
  std::unique_ptr<TRegistryKey> key = registry.OpenCurrentUserKey(keyPath, false);
  if (IsSettingValue(valueName, key->ReadRaw(valueName))) change(*key);
}

// Writes the sound back as the type it was read as: an expandable path ("%SystemRoot%\...") stored
// as plain text would name no file once the marker is gone.
void WriteSound(TRegistryKey& key, const TRegString& sound) {
  if (sound.Expandable)
    key.WriteExpandString(NavigationSoundValueName, sound.Text);
  else
    key.WriteString(NavigationSoundValueName, sound.Text);
}

}  // namespace

bool IsSettingValue(const std::string& valueName, const std::optional<TRegRaw>& value) {
  if (!value) return false;
  if (valueName == PageTransitionsValueName) return value->Type == TRegType::Dword && value->Data.size() == 4;
  return value->Type == TRegType::String || value->Type == TRegType::ExpandString;
}

void DisableNavigationSound(TRegistry& registry) {
  WithExistingValue(registry, NavigationSoundKeyPath, NavigationSoundValueName, [](TRegistryKey& key) {
    TRegString sound = key.ReadTypedString(NavigationSoundValueName);
    sound.Text += DeactivatedMarker;
    WriteSound(key, sound);
  });
}

void RestoreNavigationSound(TRegistry& registry) {
  WithExistingValue(registry, NavigationSoundKeyPath, NavigationSoundValueName, [](TRegistryKey& key) {
    TRegString sound = key.ReadTypedString(NavigationSoundValueName);
    if (size_t marker = sound.Text.find(DeactivatedMarker); marker != std::string::npos) sound.Text.resize(marker);
    WriteSound(key, sound);
  });
}

bool EnablePageTransitions(TRegistry& registry) {
  bool wereOff = false;
  WithExistingValue(registry, BrowserMainKeyPath, PageTransitionsValueName, [&](TRegistryKey& key) {
    wereOff = key.ReadInteger(PageTransitionsValueName) == 0;
    key.WriteInteger(PageTransitionsValueName, 1);
  });
  return wereOff;
}

void RestorePageTransitions(TRegistry& registry) {
  WithExistingValue(registry, BrowserMainKeyPath, PageTransitionsValueName,
                    [](TRegistryKey& key) { key.WriteInteger(PageTransitionsValueName, 0); });
}
