// What every registry implementation must do alike, checked against the in-memory registry
// natively and against the system's registry under Wine: which stored values each read accepts,
// which error it raises otherwise, and what the writes store.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Errors.h"
#include "registry/Registry.h"
#include "tests/support/Le32.h"
#include "tests/support/Raised.h"

// One implementation under test, with a raw view of the key the cases use.
class TRegistryContractTarget {
public:
  virtual ~TRegistryContractTarget() = default;
  virtual TRegistry& Registry() = 0;
  virtual std::string KeyPath() = 0;  // exists, empty, before each case
  virtual void SetRaw(const std::string& name, TRegType type, const std::string& data) = 0;
  virtual std::optional<std::pair<TRegType, std::string>> GetRaw(const std::string& name) = 0;
  virtual bool KeyExists(const std::string& path) = 0;
  virtual void Clear() = 0;  // empties the key again
};

enum class TReadOutcome { Value, GetError, TypeError };

struct TStoredValue {
  const char* What;
  TRegType Type;
  std::string Data;
};

// Runs `read` and names what came of it; a registry error must carry the value's name.
template <typename TRead>
TReadOutcome Outcome(const std::string& name, TRead read) {
  try {
    read();
    return TReadOutcome::Value;
  } catch (const ERegistryException& e) {
    if (e.Message() == RegistryGetErrorText(name)) return TReadOutcome::GetError;
    if (e.Message() == RegistryTypeErrorText(name)) return TReadOutcome::TypeError;
    ADD_FAILURE() << "unexpected registry error text: " << e.Message();
    return TReadOutcome::Value;
  }
}

// A stored value, what reading it gives, and the value read when it gives one.
template <typename TValue>
struct TReadCase {
  TStoredValue Stored;
  TReadOutcome Expected;
  TValue Value;
};

// Stores each case under `name`, reads it with read(key, name), and reads a missing value last:
// that raises the read error.
template <typename TResult, typename TValue, size_t N, typename TRead>
void CheckReads(TRegistryContractTarget& target, const std::string& name, const TReadCase<TValue> (&cases)[N],
                TRead read) {
  for (const TReadCase<TValue>& c : cases) {
    SCOPED_TRACE(c.Stored.What);
    target.Clear();
    target.SetRaw(name, c.Stored.Type, c.Stored.Data);
    auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
    ASSERT_TRUE(key->IsOpen());
    EXPECT_TRUE(key->ValueExists(name));
    TResult value{};
    EXPECT_EQ(Outcome(name, [&] { value = read(*key, name); }), c.Expected);
    if (c.Expected == TReadOutcome::Value) {
      EXPECT_EQ(value, c.Value);
    }
  }
  target.Clear();
  auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
  EXPECT_FALSE(key->ValueExists(name));
  EXPECT_EQ(Outcome(name, [&] { read(*key, name); }), TReadOutcome::GetError);
}

inline void CheckIntegerReads(TRegistryContractTarget& target) {
  const TReadCase<int32_t> cases[] = {
      {{"dword 24", TRegType::Dword, Le32(24)}, TReadOutcome::Value, 24},
      {{"dword -1", TRegType::Dword, Le32(0xFFFFFFFFu)}, TReadOutcome::Value, -1},
      {{"dword 99", TRegType::Dword, Le32(99)}, TReadOutcome::Value, 99},
      {{"3-character text (4 bytes)", TRegType::String, std::string("abc", 4)}, TReadOutcome::TypeError, 0},
      {{"4-character text (5 bytes)", TRegType::String, std::string("abcd", 5)}, TReadOutcome::GetError, 0},
      {{"4 raw bytes", TRegType::Binary, Le32(24)}, TReadOutcome::TypeError, 0},
      {{"8 raw bytes", TRegType::Binary, Le32(24) + Le32(0)}, TReadOutcome::GetError, 0},
      {{"qword", TRegType::Qword, Le32(24) + Le32(0)}, TReadOutcome::GetError, 0},
      {{"big-endian dword", TRegType::DwordBigEndian, Le32(24)}, TReadOutcome::TypeError, 0},
  };
  CheckReads<int32_t>(target, "Effect", cases, [](TRegistryKey& key, const std::string& name) { return key.ReadInteger(name); });
}

inline void CheckStringReads(TRegistryContractTarget& target) {
  const TReadCase<TRegString> cases[] = {
      {{"text", TRegType::String, std::string("C:\\Sounds\\click.wav", 20)}, TReadOutcome::Value, {"C:\\Sounds\\click.wav"}},
      {{"expandable text, not expanded", TRegType::ExpandString, std::string("%TEMP%\\a.wav", 13)},
       TReadOutcome::Value, {"%TEMP%\\a.wav", true}},
      {{"text ends at its first NUL", TRegType::String, std::string("ab\0cd", 6)}, TReadOutcome::Value, {"ab"}},
      {{"empty text", TRegType::String, std::string(1, '\0')}, TReadOutcome::Value, {""}},
      {{"size 0 of any type", TRegType::Binary, ""}, TReadOutcome::Value, {""}},
      {{"size 0, expandable", TRegType::ExpandString, ""}, TReadOutcome::Value, {"", true}},
      {{"dword", TRegType::Dword, Le32(1)}, TReadOutcome::TypeError, {}},
      {{"raw bytes", TRegType::Binary, "xyz"}, TReadOutcome::TypeError, {}},
  };
  CheckReads<TRegString>(target, "", cases, [](TRegistryKey& key, const std::string& name) { return key.ReadTypedString(name); });
}

inline void CheckWrites(TRegistryContractTarget& target) {
  target.Clear();
  {
    auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
    key->WriteInteger("Page_Transitions", -2);
    key->WriteString("", "C:\\a.wav[deactivated]");
    key->WriteString("Empty", "");
    key->WriteExpandString("Expand", "%x%\\a.wav");
  }
  using TRaw = std::optional<std::pair<TRegType, std::string>>;
  EXPECT_EQ(target.GetRaw("Page_Transitions"), (TRaw{{TRegType::Dword, Le32(0xFFFFFFFEu)}}));
  EXPECT_EQ(target.GetRaw(""), (TRaw{{TRegType::String, std::string("C:\\a.wav[deactivated]", 22)}}));
  EXPECT_EQ(target.GetRaw("Empty"), (TRaw{{TRegType::String, std::string(1, '\0')}}));
  EXPECT_EQ(target.GetRaw("Expand"), (TRaw{{TRegType::ExpandString, std::string("%x%\\a.wav", 10)}}));

  // A written string replaces an expandable one as plain text; names are case-insensitive.
  target.SetRaw("Sound", TRegType::ExpandString, std::string("%x%", 4));
  {
    auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
    EXPECT_EQ(key->ReadString("SOUND"), "%x%");
    key->WriteString("sound", "plain");
    EXPECT_EQ(key->ReadInteger("PAGE_TRANSITIONS"), -2);
  }
  EXPECT_EQ(target.GetRaw("Sound"), (TRaw{{TRegType::String, std::string("plain", 6)}}));
}

inline void CheckMissingKeys(TRegistryContractTarget& target) {
  const std::string missing = target.KeyPath() + "\\Missing\\Deeper";
  {
    auto key = target.Registry().OpenCurrentUserKey(missing, false);
    EXPECT_FALSE(key->IsOpen());
    EXPECT_FALSE(key->ValueExists(""));
    EXPECT_EQ(Outcome("x", [&] { key->ReadInteger("x"); }), TReadOutcome::GetError);
    EXPECT_EQ(Outcome("x", [&] { key->ReadString("x"); }), TReadOutcome::GetError);
    EXPECT_EQ(Raised([&] { key->WriteInteger("x", 1); }), "ERegistryException: " + RegistrySetErrorText("x"));
    EXPECT_THROW(key->WriteString("x", "t"), ERegistryException);
    EXPECT_THROW(key->WriteExpandString("x", "t"), ERegistryException);
  }
  EXPECT_FALSE(target.KeyExists(target.KeyPath() + "\\Missing"));

  // Opening with create makes the key and its parents, empty.
  {
    auto key = target.Registry().OpenCurrentUserKey(missing, true);
    EXPECT_TRUE(key->IsOpen());
    EXPECT_FALSE(key->ValueExists(""));
  }
  EXPECT_TRUE(target.KeyExists(missing));
  auto key = target.Registry().OpenCurrentUserKey(missing, false);
  EXPECT_TRUE(key->IsOpen());
}

// What a session's record needs: a value read as stored and written back is the same value, a
// text of the program's own survives any code page, keys are listed and removed once empty.
inline void CheckRecordKeeping(TRegistryContractTarget& target) {
  target.SetRaw("Sound", TRegType::ExpandString, std::string("%x%\\a.wav", 10));
  const std::string utf8Path = "C:\\tmp\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x97\xA5\xE6\x9C\xAC\\ins1.jpg";
  {
    auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
    std::optional<TRegRaw> sound = key->ReadRaw("sound");
    ASSERT_TRUE(sound);
    key->DeleteValue("Sound");
    key->DeleteValue("Sound");  // missing now: nothing happens
    EXPECT_FALSE(key->ReadRaw("Sound"));
    key->WriteRaw("Sound", *sound);
    key->WriteUnicodeString("Path", utf8Path);
    EXPECT_EQ(key->ReadUnicodeString("PATH"), utf8Path);
    EXPECT_EQ(key->ReadUnicodeString("Sound"), std::nullopt);  // not REG_SZ
  }
  EXPECT_EQ(target.GetRaw("Sound"), (std::optional<std::pair<TRegType, std::string>>{
                                        {TRegType::ExpandString, std::string("%x%\\a.wav", 10)}}));
  const std::string parent = target.KeyPath() + "\\sessions";
  target.Registry().OpenCurrentUserKey(parent + "\\12\\deeper", true);
  target.Registry().OpenCurrentUserKey(parent + "\\34", true)->WriteInteger("x", 1);
  EXPECT_EQ(target.Registry().SubKeyNames(parent), (std::vector<std::string>{"12", "34"}));
  EXPECT_EQ(target.Registry().SubKeyNames(parent + "\\none"), std::vector<std::string>{});
  for (const char* key : {"\\12", "\\34", "\\12\\deeper", "\\12", ""}) target.Registry().DeleteKeyIfEmpty(parent + key);
  EXPECT_FALSE(target.KeyExists(parent + "\\12"));
  EXPECT_TRUE(target.KeyExists(parent + "\\34"));  // it holds a value
}
