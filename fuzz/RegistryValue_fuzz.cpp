// libFuzzer target: registry values of any type and bytes, as another program may have left them,
// read by every reader of the program: the decoding rules themselves, the effect setting, the
// password switch and the two browser-setting guards of a session.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "base/Errors.h"
#include "base/MemoryRegistry.h"
#include "base/RegistryValue.h"
#include "host/BrowserGuards.h"
#include "host/HostState.h"
#include "host/PasswordSetting.h"
#include "settings/SettingsStore.h"

namespace {

template <typename TRead>
auto Attempt(TRead read) -> std::optional<decltype(read())> {
  try {
    return read();
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto type = static_cast<TRegType>(data[0] % 12);
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  // The rules, against their own statement.
  const std::optional<int32_t> integer = Attempt([&] { return DecodeRegInteger(type, bytes, "v"); });
  if (integer.has_value() != (type == TRegType::Dword && bytes.size() <= 4)) std::abort();
  if (integer) {
    uint32_t bits = 0;
    for (size_t i = bytes.size(); i-- > 0;) bits = bits << 8 | static_cast<unsigned char>(bytes[i]);
    if (static_cast<uint32_t>(*integer) != bits) std::abort();
  }
  const std::optional<std::string> text = Attempt([&] { return DecodeRegString(type, bytes, "v"); });
  const bool isText = type == TRegType::String || type == TRegType::ExpandString;
  if (text.has_value() != (bytes.empty() || isText)) std::abort();
  if (text && (*text != bytes.substr(0, bytes.find('\0')))) std::abort();

  TMemoryRegistry registry;
  registry.SetValue(SettingsKeyPath, EffectValueName, type, bytes);
  registry.SetValue(DesktopKeyPath, UsePasswordValueName, type, bytes);
  registry.SetValue(NavigationSoundKeyPath, NavigationSoundValueName, type, bytes);
  registry.SetValue(BrowserMainKeyPath, PageTransitionsValueName, type, bytes);

  if (Attempt([&] { return ReadEffect(registry); }) != integer) std::abort();
  if (SaverPasswordInUse(registry) != (!integer || *integer != 0)) std::abort();

  // A session's guards: on and off again leaves the sound's text as it was up to any marker.
  const bool disabled = Attempt([&] { return DisableNavigationSound(registry), true; }).has_value();
  if (disabled != text.has_value()) std::abort();
  if (disabled) {
    if (!Attempt([&] { return RestoreNavigationSound(registry), true; })) std::abort();
    const std::string restored = registry.Value(NavigationSoundKeyPath, NavigationSoundValueName)->Data;
    if (restored != text->substr(0, text->find(DeactivatedMarker)) + '\0') std::abort();
  }
  TransitionsWereOff = false;
  const bool enabled = Attempt([&] { return EnablePageTransitions(registry), true; }).has_value();
  if (enabled != integer.has_value() || (enabled && TransitionsWereOff != (*integer == 0))) std::abort();
  if (enabled && Attempt([&] { return registry.OpenCurrentUserKey(BrowserMainKeyPath, false)->ReadInteger(
                                 PageTransitionsValueName); }) != 1)
    std::abort();
  return 0;
}
