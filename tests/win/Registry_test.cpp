// The system's registry, through our accessor, keeps the same rules as the in-memory one the
// native tests use.
#include <windows.h>

#include "tests/unit/Registry_contract.h"

namespace {

constexpr char TestRoot[] = "Software\\LumivaleTest";

class TSystemTarget : public TRegistryContractTarget {
public:
  ~TSystemTarget() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot); }
  TRegistry& Registry() override { return SystemRegistry(); }
  std::string KeyPath() override { return std::string(TestRoot) + "\\Contract"; }
  void SetRaw(const std::string& name, TRegType type, const std::string& data) override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, static_cast<DWORD>(type),
                             reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  std::optional<std::pair<TRegType, std::string>> GetRaw(const std::string& name) override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    char data[1024];
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return std::pair{static_cast<TRegType>(type), std::string(data, size)};
  }
  bool KeyExists(const std::string& path) override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  void Clear() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
  }
};

}  // namespace

TEST(SystemRegistry, ReadsIntegers) {
  TSystemTarget target;
  CheckIntegerReads(target);
}

TEST(SystemRegistry, ReadsStrings) {
  TSystemTarget target;
  CheckStringReads(target);
}

TEST(SystemRegistry, Writes) {
  TSystemTarget target;
  CheckWrites(target);
}

TEST(SystemRegistry, OpensMissingKeys) {
  TSystemTarget target;
  target.Clear();
  CheckMissingKeys(target);
}

TEST(SystemRegistry, IsTheProcessWideOneByDefault) { EXPECT_EQ(&CurrentRegistry(), &SystemRegistry()); }
