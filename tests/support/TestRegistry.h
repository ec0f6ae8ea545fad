// Values under HKEY_CURRENT_USER as the tests write and read them, bypassing the program's own
// accessor: header-only, so that the end-to-end driver uses it without linking the program.
// Texts are UTF-8.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/OwnersWin32.h"
#include "base/TextWin32.h"

inline TRegistryKeyHandle OpenKey(const std::string& key, REGSAM access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(key).c_str(), 0, access, &opened) != ERROR_SUCCESS) return {};
  return TRegistryKeyHandle(opened);
}

// Values under HKEY_CURRENT_USER. `key` is a path below it, `name` empty for the default value.
struct TRawRegValue {
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
  bool operator==(const TRawRegValue&) const = default;
};
// Keeps a value as it was: the destructor writes it back, or deletes it if it did not exist.
class TSavedRegValue {
 public:
  TSavedRegValue(std::string key, std::string name);
  TSavedRegValue(const TSavedRegValue&) = delete;
  TSavedRegValue& operator=(const TSavedRegValue&) = delete;
  ~TSavedRegValue();

 private:
  std::string FKey;
  std::string FName;
  std::optional<TRawRegValue> FValue;
};
// Creates the key, empty, if it does not exist.
inline void CreateRegKey(const std::string& key) {
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(key).c_str(), 0, nullptr, 0, KEY_READ, nullptr, &created, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create HKCU\\" + key);
  RegCloseKey(created);
}

inline std::optional<TRawRegValue> ReadRegValue(const std::string& key, const std::string& name) {
  TRegistryKeyHandle opened = OpenKey(key, KEY_QUERY_VALUE);
  if (!opened) return std::nullopt;
  std::wstring valueName = Utf8ToWide(name);
  TRawRegValue value;
  DWORD size = 0;
  if (RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &value.Type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.Data.resize(size);
  if (RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &value.Type, value.Data.data(), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  value.Data.resize(size);
  return value;
}

inline std::optional<DWORD> ReadRegDword(const std::string& key, const std::string& name) {
  auto value = ReadRegValue(key, name);
  if (!value || value->Type != REG_DWORD || value->Data.size() != 4) return std::nullopt;
  DWORD number = 0;
  std::copy(value->Data.begin(), value->Data.end(), reinterpret_cast<BYTE*>(&number));
  return number;
}

inline std::optional<std::string> ReadRegString(const std::string& key, const std::string& name) {
  auto value = ReadRegValue(key, name);
  if (!value || (value->Type != REG_SZ && value->Type != REG_EXPAND_SZ)) return std::nullopt;
  std::wstring text(value->Data.size() / 2, L'\0');
  std::copy(value->Data.begin(), value->Data.begin() + text.size() * 2, reinterpret_cast<BYTE*>(text.data()));
  text.resize(std::min(text.size(), text.find(L'\0')));
  return WideToUtf8(text);
}

inline bool KeyExists(const std::string& key) { return static_cast<bool>(OpenKey(key, KEY_QUERY_VALUE)); }

// Writers create the key as needed; they throw std::runtime_error when the write fails.
inline void WriteRegValue(const std::string& key, const std::string& name, const TRawRegValue& value) {
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create HKCU\\" + key);
  TRegistryKeyHandle opened(created);
  if (RegSetValueExW(opened.Get(), Utf8ToWide(name).c_str(), 0, value.Type, value.Data.data(), DWORD(value.Data.size())) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot write HKCU\\" + key + " " + name);
}

inline void WriteRegDword(const std::string& key, const std::string& name, DWORD number) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
  WriteRegValue(key, name, {REG_DWORD, {bytes, bytes + 4}});
}

inline void WriteRegString(const std::string& key, const std::string& name, const std::string& text,
                           DWORD type = REG_SZ) {
  std::wstring wide = Utf8ToWide(text);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
  WriteRegValue(key, name, {type, {bytes, bytes + (wide.size() + 1) * 2}});
}

inline void DeleteRegValue(const std::string& key, const std::string& name) {
  if (TRegistryKeyHandle opened = OpenKey(key, KEY_SET_VALUE)) RegDeleteValueW(opened.Get(), Utf8ToWide(name).c_str());
}

inline void DeleteRegKey(const std::string& key) { RegDeleteTreeW(HKEY_CURRENT_USER, Utf8ToWide(key).c_str()); }

inline TSavedRegValue::TSavedRegValue(std::string key, std::string name)
    : FKey(std::move(key)), FName(std::move(name)), FValue(ReadRegValue(FKey, FName)) {}

inline TSavedRegValue::~TSavedRegValue() {
  try {
    if (FValue)
      WriteRegValue(FKey, FName, *FValue);
    else
      DeleteRegValue(FKey, FName);
  } catch (const std::exception&) {
  }
}

// Through the ANSI functions, as the program's own accessor goes: texts (REG_SZ, REG_EXPAND_SZ)
// are stored converted from the ANSI code page and read back into it; other types byte for byte.
// The writer creates the key as needed; both return false when the system refuses.
inline bool WriteRegValueA(const std::string& key, const std::string& name, DWORD type, const std::string& bytes) {
  HKEY created = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
      ERROR_SUCCESS)
    return false;
  TRegistryKeyHandle opened(created);
  return RegSetValueExA(opened.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

inline std::optional<std::pair<DWORD, std::string>> ReadRegValueA(const std::string& key, const std::string& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
  TRegistryKeyHandle owned(opened);
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(opened, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::string data(size, '\0');
  if (RegQueryValueExA(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  data.resize(size);
  return std::pair{type, data};
}
