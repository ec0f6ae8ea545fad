// The acceptance rules for registry values read as integers or texts.
#include "registry/RegistryValue.h"

#include "base/Errors.h"

int32_t DecodeRegInteger(TRegType type, std::string_view data, const std::string& name) {
  if (data.size() > 4) throw ERegistryException(RegistryGetErrorText(name));
  if (type != TRegType::Dword) throw ERegistryException(RegistryTypeErrorText(name));
  uint32_t bits = 0;
  for (size_t i = 0; i < data.size(); ++i)
    bits |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  return static_cast<int32_t>(bits);
}

std::string DecodeRegString(TRegType type, std::string_view data, const std::string& name) {
  if (data.empty()) return {};
  if (type != TRegType::String && type != TRegType::ExpandString)
    throw ERegistryException(RegistryTypeErrorText(name));
  return std::string(data.substr(0, data.find('\0')));
}

std::optional<std::string> ReadSizedValue(const TValueQuery& query) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    uint32_t size = 0;
    if (query(nullptr, size) != TQueryStatus::Ok) return std::nullopt;
    std::string data(size, '\0');
    if (size == 0) return data;
    switch (query(data.data(), size)) {
      case TQueryStatus::Ok:
        data.resize(size);
        return data;
      case TQueryStatus::MoreData:
        continue;
      case TQueryStatus::Failed:
        return std::nullopt;
    }
  }
  return std::nullopt;
}
