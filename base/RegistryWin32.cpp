// The system's registry through advapi32's ANSI calls; each key object owns its HKEY.
#include <windows.h>

#include "base/Errors.h"
#include "base/OwnersWin32.h"
#include "base/Registry.h"
#include "base/RegistryValue.h"
#include "base/TextWin32.h"

namespace {

// Value names are ANSI; the error texts are UTF-8.
[[noreturn]] void RaiseGetError(const std::string& name) {
  throw ERegistryException(RegistryGetErrorText(AnsiToUtf8(name)));
}
[[noreturn]] void RaiseSetError(const std::string& name) {
  throw ERegistryException(RegistrySetErrorText(AnsiToUtf8(name)));
}

class TWin32RegistryKey : public TRegistryKey {
public:
  explicit TWin32RegistryKey(HKEY key) : FOwned(key), FKey(key) {}

  bool IsOpen() const override { return FKey != nullptr; }

  bool ValueExists(const std::string& name) override {
    DWORD type = REG_NONE;
    DWORD size = 0;
    return FKey && RegQueryValueExA(FKey, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  }

  int32_t ReadInteger(const std::string& name) override {
    DWORD type = REG_NONE;
    BYTE buffer[4] = {};
    DWORD size = sizeof buffer;
    // A value longer than the buffer fails here (ERROR_MORE_DATA) before its type is looked at.
    if (!FKey || RegQueryValueExA(FKey, name.c_str(), nullptr, &type, buffer, &size) != ERROR_SUCCESS)
      RaiseGetError(name);
    return DecodeRegInteger(static_cast<TRegType>(type),
                            std::string_view(reinterpret_cast<const char*>(buffer), size), AnsiToUtf8(name));
  }

  TRegString ReadTypedString(const std::string& name) override {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!FKey || RegQueryValueExA(FKey, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      RaiseGetError(name);
    std::string data(size, '\0');
    if (size != 0 && RegQueryValueExA(FKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                      &size) != ERROR_SUCCESS)
      RaiseGetError(name);
    data.resize(size);
    return {DecodeRegString(static_cast<TRegType>(type), data, AnsiToUtf8(name)), type == REG_EXPAND_SZ};
  }

  void WriteInteger(const std::string& name, int32_t value) override {
    auto bits = static_cast<uint32_t>(value);
    const BYTE data[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
                          static_cast<BYTE>(bits >> 24)};
    if (!FKey || RegSetValueExA(FKey, name.c_str(), 0, REG_DWORD, data, sizeof data) != ERROR_SUCCESS)
      RaiseSetError(name);
  }

  void WriteString(const std::string& name, const std::string& value) override { WriteText(name, value, REG_SZ); }

  void WriteExpandString(const std::string& name, const std::string& value) override {
    WriteText(name, value, REG_EXPAND_SZ);
  }

private:
  void WriteText(const std::string& name, const std::string& value, DWORD type) {
    if (!FKey || RegSetValueExA(FKey, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
      RaiseSetError(name);
  }

  TRegistryKeyHandle FOwned;
  HKEY FKey;  // FOwned's key, for the calls
};

class TWin32Registry : public TRegistry {
public:
  std::unique_ptr<TRegistryKey> OpenCurrentUserKey(const std::string& path, bool create) override {
    HKEY key = nullptr;
    LONG result = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr)
                         : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    return std::make_unique<TWin32RegistryKey>(result == ERROR_SUCCESS ? key : nullptr);
  }
};

}  // namespace

TRegistry& SystemRegistry() {
  static TWin32Registry registry;
  return registry;
}
