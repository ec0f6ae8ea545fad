// The system's registry, through our accessor, keeps the same rules as the in-memory one the
// native tests use.
#include <windows.h>

#include "tests/support/TestRegistry.h"
#include "tests/unit/Registry_contract.h"

namespace {

constexpr char TestRoot[] = "Software\\LumivaleTest";

class TSystemTarget : public TRegistryContractTarget {
public:
  ~TSystemTarget() override { DeleteRegKey(TestRoot); }
  TRegistry& Registry() override { return SystemRegistry(); }
  std::string KeyPath() override { return std::string(TestRoot) + "\\Contract"; }
  void SetRaw(const std::string& name, TRegType type, const std::string& data) override {
    EXPECT_TRUE(WriteRegValueA(KeyPath(), name, static_cast<DWORD>(type), data));
  }
  std::optional<std::pair<TRegType, std::string>> GetRaw(const std::string& name) override {
    const auto value = ReadRegValueA(KeyPath(), name);
    if (!value) return std::nullopt;
    return std::pair{static_cast<TRegType>(value->first), value->second};
  }
  bool KeyExists(const std::string& path) override { return ::KeyExists(path); }
  void Clear() override {
    DeleteRegKey(KeyPath());
    CreateRegKey(KeyPath());
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

TEST(SystemRegistry, KeepsRecords) {
  TSystemTarget target;
  target.Clear();
  CheckRecordKeeping(target);
}

TEST(SystemRegistry, IsTheProcessWideOneByDefault) { EXPECT_EQ(&CurrentRegistry(), &SystemRegistry()); }
