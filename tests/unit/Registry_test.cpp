// The in-memory registry keeps the system's rules (shared contract), and models keys without rights.
#include "tests/unit/Registry_contract.h"

#include "registry/MemoryRegistry.h"
#include "registry/RegistryValue.h"

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

TEST(MemoryRegistry, KeepsRecordsAsTheSystemDoes) {
  TMemoryTarget target;
  target.Clear();
  CheckRecordKeeping(target);
}

// Another program writes the value between its sizing and its reading: it is sized again.
TEST(RegistryRead, AValueThatGrowsMeanwhileIsReadAgain) {
  for (int growths : {0, 1, 3, 8}) {
    std::string value = "a.wav";
    int left = growths;
    std::optional<std::string> read = ReadSizedValue([&](char* buffer, uint32_t& size) {
      if (buffer == nullptr) {
        size = static_cast<uint32_t>(value.size());
        if (left-- > 0) value += "[deactivated]";  // grows right after it was sized
        return TQueryStatus::Ok;
      }
      if (size < value.size()) return TQueryStatus::MoreData;
      size = static_cast<uint32_t>(value.copy(buffer, size));
      return TQueryStatus::Ok;
    });
    if (growths < 8)
      EXPECT_EQ(read, value) << growths;
    else
      EXPECT_EQ(read, std::nullopt);  // gives up rather than spin with a writer that never stops
  }
  EXPECT_EQ(ReadSizedValue([](char*, uint32_t&) { return TQueryStatus::Failed; }), std::nullopt);
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
