// The in-memory registry keeps the system's rules (shared contract), and models keys without rights.
#include "tests/unit/Registry_contract.h"

#include "base/MemoryRegistry.h"

namespace {

class TMemoryTarget : public TRegistryContractTarget {
public:
  TRegistry& Registry() override { return FRegistry; }
  std::string KeyPath() override { return "Software\\LumivaleTest"; }
  void SetRaw(const std::string& name, TRegType type, const std::string& data) override {
    FRegistry.SetValue(KeyPath(), name, type, data);
  }
  std::optional<std::pair<TRegType, std::string>> GetRaw(const std::string& name) override {
    auto value = FRegistry.Value(KeyPath(), name);
    if (!value) return std::nullopt;
    return std::pair{value->Type, value->Data};
  }
  bool KeyExists(const std::string& path) override { return FRegistry.KeyExists(path); }
  void Clear() override {
    FRegistry.DeleteKey(KeyPath());
    FRegistry.OpenCurrentUserKey(KeyPath(), true);
  }
  TMemoryRegistry FRegistry;
};

}  // namespace

TEST(MemoryRegistry, ReadsIntegersAsTheSystemDoes) {
  TMemoryTarget target;
  CheckIntegerReads(target);
}

TEST(MemoryRegistry, ReadsStringsAsTheSystemDoes) {
  TMemoryTarget target;
  CheckStringReads(target);
}

TEST(MemoryRegistry, WritesAsTheSystemDoes) {
  TMemoryTarget target;
  CheckWrites(target);
}

TEST(MemoryRegistry, OpensMissingKeysAsTheSystemDoes) {
  TMemoryTarget target;
  target.Clear();
  CheckMissingKeys(target);
}

TEST(MemoryRegistry, DeniedKeysCannotBeOpenedOrCreated) {
  TMemoryRegistry registry;
  registry.SetInteger("Locked\\Inner", "v", 1);
  registry.DenyKey("locked");
  for (const char* path : {"Locked", "Locked\\Inner", "LOCKED\\New"}) {
    SCOPED_TRACE(path);
    for (bool create : {false, true}) {
      auto key = registry.OpenCurrentUserKey(path, create);
      EXPECT_FALSE(key->IsOpen());
      EXPECT_FALSE(key->ValueExists("v"));
      EXPECT_THROW(key->WriteInteger("v", 2), ERegistryException);
    }
  }
  EXPECT_FALSE(registry.KeyExists("Locked\\New"));
  EXPECT_EQ(registry.Value("Locked\\Inner", "v")->Data, Le32(1));
  // A sibling whose name merely starts alike is not covered.
  EXPECT_TRUE(registry.OpenCurrentUserKey("Locked2", true)->IsOpen());
}
