// The system's registry through advapi32's ANSI calls; each key object owns its HKEY.
#include <windows.h>

#include <algorithm>

#include "base/Errors.h"
#include "base/OwnersWin32.h"
#include "base/TextWin32.h"
#include "registry/Registry.h"
#include "registry/RegistryValue.h"

namespace {

TQueryStatus Status(LONG result) {
  if (result == ERROR_SUCCESS) return TQueryStatus::Ok;
  return result == ERROR_MORE_DATA ? TQueryStatus::MoreData : TQueryStatus::Failed;
}


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
    std::optional<std::string> data = ReadSizedValue([&](char* buffer, uint32_t& size) {
      DWORD have = size;
      LONG result = FKey ? RegQueryValueExA(FKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &have)
                         : ERROR_INVALID_HANDLE;
      size = have;
      return Status(result);
    });
    if (!data) RaiseGetError(name);
    return {DecodeRegString(static_cast<TRegType>(type), *data, AnsiToUtf8(name)), type == REG_EXPAND_SZ};
  }

  std::optional<TRegRaw> ReadRaw(const std::string& name) override {
    const std::wstring wideName = AnsiToWide(name);
    DWORD type = REG_NONE;
    std::optional<std::string> data = ReadSizedValue([&](char* buffer, uint32_t& size) {
      DWORD have = size;
      LONG result = FKey ? RegQueryValueExW(FKey, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                            &have)
                         : ERROR_INVALID_HANDLE;
      size = have;
      return Status(result);
    });
    if (!data) return std::nullopt;
    return TRegRaw{static_cast<TRegType>(type), std::move(*data)};
  }

  void WriteRaw(const std::string& name, const TRegRaw& value) override {
    if (!FKey || value.Data.size() > MAXDWORD ||
        RegSetValueExW(FKey, AnsiToWide(name).c_str(), 0, static_cast<DWORD>(value.Type),
                       reinterpret_cast<const BYTE*>(value.Data.data()),
                       static_cast<DWORD>(value.Data.size())) != ERROR_SUCCESS)
      RaiseSetError(name);
  }

  void WriteUnicodeString(const std::string& name, const std::string& utf8) override {
    const std::wstring text = Utf8ToWide(utf8);
    const auto* bytes = reinterpret_cast<const char*>(text.c_str());
    WriteRaw(name, {TRegType::String, std::string(bytes, (text.size() + 1) * sizeof(wchar_t))});
  }

  std::optional<std::string> ReadUnicodeString(const std::string& name) override {
    std::optional<TRegRaw> raw = ReadRaw(name);
    if (!raw || raw->Type != TRegType::String) return std::nullopt;
    std::wstring text(raw->Data.size() / sizeof(wchar_t), L'\0');
    std::copy_n(raw->Data.data(), text.size() * sizeof(wchar_t), reinterpret_cast<char*>(text.data()));
    return WideToUtf8(text.substr(0, text.find(L'\0')));
  }

  void DeleteValue(const std::string& name) override {
    if (FKey) RegDeleteValueW(FKey, AnsiToWide(name).c_str());
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

  std::vector<std::string> SubKeyNames(const std::string& path) override {
    std::vector<std::string> names;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, AnsiToWide(path).c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &opened) !=
        ERROR_SUCCESS)
      return names;
    TRegistryKeyHandle key(opened);
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(opened, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.push_back(WideToAnsi(std::wstring(name, length)));
    }
    return names;
  }

  void DeleteKeyIfEmpty(const std::string& path) override {
    const std::wstring widePath = AnsiToWide(path);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return;
    DWORD keys = 1, values = 1;
    LONG result = RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                                   nullptr, nullptr, nullptr);
    RegCloseKey(opened);
    if (result == ERROR_SUCCESS && keys == 0 && values == 0) RegDeleteKeyW(HKEY_CURRENT_USER, widePath.c_str());
  }
};

}  // namespace

TRegistry& SystemRegistry() {
  static TWin32Registry registry;
  return registry;
}
