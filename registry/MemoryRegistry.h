// A registry held in memory, for tests: keys and values as the system keeps them (types, sizes,
// case-insensitive names), plus keys that cannot be opened and keys whose writes fail.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "registry/Registry.h"

struct TRegValue {
  std::string Name;  // as first written
  TRegType Type = TRegType::None;
  std::string Data;  // the raw bytes; strings include their terminating NUL
};

class TMemoryRegistry : public TRegistry {
public:
  std::unique_ptr<TRegistryKey> OpenCurrentUserKey(const std::string& path, bool create) override;
  std::vector<std::string> SubKeyNames(const std::string& path) override;
  void DeleteKeyIfEmpty(const std::string& path) override;

  // Setting up and inspecting, as another program (or the user) would see the hive. SetValue
  // creates the key with its parents.
  void SetValue(const std::string& path, const std::string& name, TRegType type, std::string data);
  void SetInteger(const std::string& path, const std::string& name, int32_t value);
  void SetString(const std::string& path, const std::string& name, const std::string& text,
                 TRegType type = TRegType::String);
  std::optional<TRegValue> Value(const std::string& path, const std::string& name) const;
  bool KeyExists(const std::string& path) const;
  size_t ValueCount(const std::string& path) const;
  void DeleteKey(const std::string& path);  // with every key below it

  // The key and every key below it can be neither opened nor created (no rights).
  void DenyKey(const std::string& path);
  // The key opens, but every write to it fails.
  void FailWritesTo(const std::string& path);

  // Keys opened and not yet closed.
  int OpenKeyCount() const { return FOpenKeys; }

private:
  friend class TMemoryRegistryKey;
  struct TKeyData {
    std::map<std::string, TRegValue> Values;  // by folded name
  };

  static std::string Fold(const std::string& text);
  bool IsDenied(const std::string& foldedPath) const;
  TKeyData* Find(const std::string& foldedPath);
  void Create(const std::string& foldedPath);

  std::map<std::string, TKeyData> FKeys;  // by folded path; "" is the hive's root
  std::set<std::string> FDenied;
  std::set<std::string> FReadOnly;
  int FOpenKeys = 0;
};
