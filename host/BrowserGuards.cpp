// The navigation-sound and page-transition guards over the registry accessor.
#include "host/BrowserGuards.h"

#include "host/HostState.h"

namespace {

// Opens `keyPath` without creating it and hands the key to `change` only when `valueName`
// exists there; the key is closed on every path out, an error's included.
template <typename TChange>
void WithExistingValue(TRegistry& registry, const char* keyPath, const char* valueName, TChange change) {
  std::unique_ptr<TRegistryKey> key = registry.OpenCurrentUserKey(keyPath, false);
  if (key->ValueExists(valueName)) change(*key);
}

}  // namespace

void DisableNavigationSound(TRegistry& registry) {
  WithExistingValue(registry, NavigationSoundKeyPath, NavigationSoundValueName, [](TRegistryKey& key) {
    key.WriteString(NavigationSoundValueName, key.ReadString(NavigationSoundValueName) + DeactivatedMarker);
  });
}

void RestoreNavigationSound(TRegistry& registry) {
  WithExistingValue(registry, NavigationSoundKeyPath, NavigationSoundValueName, [](TRegistryKey& key) {
    std::string sound = key.ReadString(NavigationSoundValueName);
    if (size_t marker = sound.find(DeactivatedMarker); marker != std::string::npos) sound.resize(marker);
    key.WriteString(NavigationSoundValueName, sound);
  });
}

void EnablePageTransitions(TRegistry& registry) {
  WithExistingValue(registry, BrowserMainKeyPath, PageTransitionsValueName, [](TRegistryKey& key) {
    TransitionsWereOff = key.ReadInteger(PageTransitionsValueName) == 0;
    key.WriteInteger(PageTransitionsValueName, 1);
  });
}

void RestorePageTransitions(TRegistry& registry) {
  WithExistingValue(registry, BrowserMainKeyPath, PageTransitionsValueName,
                    [](TRegistryKey& key) { key.WriteInteger(PageTransitionsValueName, 0); });
}
