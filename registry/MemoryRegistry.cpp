// The in-memory registry: the same acceptance rules for reads and writes as the system's.
#include "registry/MemoryRegistry.h"

#include "base/Errors.h"
#include "registry/RegistryValue.h"

namespace {

std::string DwordData(int32_t value) {
  auto bits = static_cast<uint32_t>(value);
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[static_cast<size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return data;
}

}  // namespace

class TMemoryRegistryKey : public TRegistryKey {
public:
  TMemoryRegistryKey(TMemoryRegistry& registry, std::string foldedPath, bool open)
      : FRegistry(registry), FPath(std::move(foldedPath)), FOpen(open) {
    if (FOpen) ++FRegistry.FOpenKeys;
  }
  ~TMemoryRegistryKey() override {
    if (FOpen) --FRegistry.FOpenKeys;
  }

  bool IsOpen() const override { return FOpen; }

  bool ValueExists(const std::string& name) override { return Find(name) != nullptr; }

  int32_t ReadInteger(const std::string& name) override {
    const TRegValue* value = Find(name);
    if (!value) throw ERegistryException(RegistryGetErrorText(name));
    return DecodeRegInteger(value->Type, value->Data, name);
  }

  TRegString ReadTypedString(const std::string& name) override {
    const TRegValue* value = Find(name);
    if (!value) throw ERegistryException(RegistryGetErrorText(name));
    return {DecodeRegString(value->Type, value->Data, name), value->Type == TRegType::ExpandString};
  }

  void WriteInteger(const std::string& name, int32_t value) override { Write(name, TRegType::Dword, DwordData(value)); }

  void WriteString(const std::string& name, const std::string& value) override {
    Write(name, TRegType::String, value + '\0');
  }

  void WriteExpandString(const std::string& name, const std::string& value) override {
    Write(name, TRegType::ExpandString, value + '\0');
  }

  std::optional<TRegRaw> ReadRaw(const std::string& name) override {
    const TRegValue* value = Find(name);
    if (!value) return std::nullopt;
    return TRegRaw{value->Type, value->Data};
  }

  void WriteRaw(const std::string& name, const TRegRaw& value) override { Write(name, value.Type, value.Data); }

  void WriteUnicodeString(const std::string& name, const std::string& utf8) override {
    Write(name, TRegType::String, utf8 + '\0');
  }

  std::optional<std::string> ReadUnicodeString(const std::string& name) override {
    const TRegValue* value = Find(name);
    if (!value || value->Type != TRegType::String) return std::nullopt;
    return value->Data.substr(0, value->Data.find('\0'));
  }

  void DeleteValue(const std::string& name) override {
    TMemoryRegistry::TKeyData* key = FOpen ? FRegistry.Find(FPath) : nullptr;
    if (key && !FRegistry.FReadOnly.count(FPath)) key->Values.erase(TMemoryRegistry::Fold(name));
  }

private:
  const TRegValue* Find(const std::string& name) {
    TMemoryRegistry::TKeyData* key = FOpen ? FRegistry.Find(FPath) : nullptr;
    if (!key) return nullptr;
    auto it = key->Values.find(TMemoryRegistry::Fold(name));
    return it == key->Values.end() ? nullptr : &it->second;
  }

  void Write(const std::string& name, TRegType type, std::string data) {
    TMemoryRegistry::TKeyData* key = FOpen ? FRegistry.Find(FPath) : nullptr;
    if (!key || FRegistry.FReadOnly.count(FPath)) throw ERegistryException(RegistrySetErrorText(name));
    TRegValue& value = key->Values[TMemoryRegistry::Fold(name)];
    if (value.Name.empty()) value.Name = name;
    value.Type = type;
    value.Data = std::move(data);
  }

  TMemoryRegistry& FRegistry;
  std::string FPath;
  bool FOpen;
};

std::string TMemoryRegistry::Fold(const std::string& text) {
  std::string folded = text;
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

bool TMemoryRegistry::IsDenied(const std::string& foldedPath) const {
  for (const std::string& denied : FDenied)
    if (foldedPath == denied || foldedPath.starts_with(denied + '\\')) return true;
  return false;
}

TMemoryRegistry::TKeyData* TMemoryRegistry::Find(const std::string& foldedPath) {
  if (foldedPath.empty()) return &FKeys[""];
  auto it = FKeys.find(foldedPath);
  return it == FKeys.end() ? nullptr : &it->second;
}

void TMemoryRegistry::Create(const std::string& foldedPath) {
  for (size_t end = foldedPath.find('\\'); end != std::string::npos; end = foldedPath.find('\\', end + 1))
    FKeys[foldedPath.substr(0, end)];
  FKeys[foldedPath];
}

std::unique_ptr<TRegistryKey> TMemoryRegistry::OpenCurrentUserKey(const std::string& path, bool create) {
  std::string folded = Fold(path);
  bool open = false;
  if (!IsDenied(folded)) {
    if (create) Create(folded);
    open = Find(folded) != nullptr;
  }
  return std::make_unique<TMemoryRegistryKey>(*this, folded, open);
}

std::vector<std::string> TMemoryRegistry::SubKeyNames(const std::string& path) {
  const std::string prefix = Fold(path) + '\\';
  std::vector<std::string> names;
  if (IsDenied(Fold(path))) return names;
  for (const auto& [keyPath, data] : FKeys)
    if (keyPath.starts_with(prefix) && keyPath.find('\\', prefix.size()) == std::string::npos)
      names.push_back(keyPath.substr(prefix.size()));
  return names;
}

void TMemoryRegistry::DeleteKeyIfEmpty(const std::string& path) {
  const std::string folded = Fold(path);
  auto key = FKeys.find(folded);
  if (key == FKeys.end() || !key->second.Values.empty() || !SubKeyNames(path).empty()) return;
  FKeys.erase(key);
}

void TMemoryRegistry::SetValue(const std::string& path, const std::string& name, TRegType type, std::string data) {
  std::string folded = Fold(path);
  Create(folded);
  TRegValue& value = FKeys[folded].Values[Fold(name)];
  value = TRegValue{name, type, std::move(data)};
}

void TMemoryRegistry::SetInteger(const std::string& path, const std::string& name, int32_t value) {
  SetValue(path, name, TRegType::Dword, DwordData(value));
}

void TMemoryRegistry::SetString(const std::string& path, const std::string& name, const std::string& text,
                                TRegType type) {
  SetValue(path, name, type, text + '\0');
}

std::optional<TRegValue> TMemoryRegistry::Value(const std::string& path, const std::string& name) const {
  auto key = FKeys.find(Fold(path));
  if (key == FKeys.end()) return std::nullopt;
  auto value = key->second.Values.find(Fold(name));
  if (value == key->second.Values.end()) return std::nullopt;
  return value->second;
}

bool TMemoryRegistry::KeyExists(const std::string& path) const { return path.empty() || FKeys.count(Fold(path)) > 0; }

size_t TMemoryRegistry::ValueCount(const std::string& path) const {
  auto key = FKeys.find(Fold(path));
  return key == FKeys.end() ? 0 : key->second.Values.size();
}

void TMemoryRegistry::DeleteKey(const std::string& path) {
  std::string folded = Fold(path);
  std::erase_if(FKeys, [&](const auto& entry) {
    return entry.first == folded || entry.first.starts_with(folded + '\\');
  });
}

void TMemoryRegistry::DenyKey(const std::string& path) { FDenied.insert(Fold(path)); }

void TMemoryRegistry::FailWritesTo(const std::string& path) { FReadOnly.insert(Fold(path)); }
