// libFuzzer target: registry values of any type and bytes, as another program may have left them,
// read by every reader of the program: the decoding rules themselves, the effect setting, the
// password switch and the two browser-setting guards of a session.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "base/Errors.h"
#include "host/BrowserGuards.h"
#include "host/PasswordSetting.h"
#include "registry/MemoryRegistry.h"
#include "registry/RegistryValue.h"
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

// The first byte gives the value's type (low nibble, modulo 12) and which reader takes it (high
// nibble, modulo 4); the rest is the value's bytes. One reader per input: each read that fails
// throws, and unwinding is most of a run's time.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto type = static_cast<TRegType>((data[0] & 0x0F) % 12);
  const int reader = (data[0] >> 4) % 4;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool isInteger = type == TRegType::Dword && bytes.size() <= 4;
  const bool isText = bytes.empty() || type == TRegType::String || type == TRegType::ExpandString;
  uint32_t bits = 0;
  for (size_t i = bytes.size(); i-- > 0 && isInteger;) bits = bits << 8 | static_cast<unsigned char>(bytes[i]);
  const std::string text = bytes.substr(0, bytes.find('\0'));

  TMemoryRegistry registry;
  switch (reader) {
    case 0: {  // the rules, against their own statement
      const std::optional<int32_t> integer = Attempt([&] { return DecodeRegInteger(type, bytes, "v"); });
      if (integer.has_value() != isInteger || (integer && static_cast<uint32_t>(*integer) != bits)) std::abort();
      const std::optional<std::string> read = Attempt([&] { return DecodeRegString(type, bytes, "v"); });
      if (read.has_value() != isText || (read && *read != text)) std::abort();
      break;
    }
    case 1: {  // the effect setting and the password switch
      registry.SetValue(SettingsKeyPath, EffectValueName, type, bytes);
      registry.SetValue(DesktopKeyPath, UsePasswordValueName, type, bytes);
      const std::optional<int32_t> effect = Attempt([&] { return ReadEffect(registry); });
      if (effect.has_value() != isInteger || (effect && static_cast<uint32_t>(*effect) != bits)) std::abort();
      if (SaverPasswordInUse(registry) != (!isInteger || bits != 0)) std::abort();
      break;
    }
    case 2: {  // a session's sound guard: on and off again leaves the text as it was up to a marker
      registry.SetValue(NavigationSoundKeyPath, NavigationSoundValueName, type, bytes);
      const bool disabled = Attempt([&] { return DisableNavigationSound(registry), true; }).has_value();
      if (disabled != isText) std::abort();
      if (!disabled) break;
      if (!Attempt([&] { return RestoreNavigationSound(registry), true; })) std::abort();
      const std::string restored = registry.Value(NavigationSoundKeyPath, NavigationSoundValueName)->Data;
      if (restored != text.substr(0, text.find(DeactivatedMarker)) + '\0') std::abort();
      break;
    }
    case 3: {  // the transitions guard: remembers 0, leaves 1
      registry.SetValue(BrowserMainKeyPath, PageTransitionsValueName, type, bytes);
      bool wereOff = false;
      const bool enabled = Attempt([&] { return wereOff = EnablePageTransitions(registry), true; }).has_value();
      if (enabled != isInteger || (enabled && wereOff != (bits == 0))) std::abort();
      const std::optional<TRegValue> after = registry.Value(BrowserMainKeyPath, PageTransitionsValueName);
      if (enabled && (after->Type != TRegType::Dword || after->Data != std::string("\1\0\0\0", 4))) std::abort();
      break;
    }
  }
  return 0;
}
