// What every registry implementation must do alike, checked against the in-memory registry
// natively and against the system's registry under Wine: which stored values each read accepts,
// which error it raises otherwise, and what the writes store.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "base/Errors.h"
#include "base/Registry.h"

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

inline std::string Le32(uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

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

inline void CheckIntegerReads(TRegistryContractTarget& target) {
  struct TCase {
    TStoredValue Stored;
    TReadOutcome Expected;
    int32_t Value;
  };
  const TCase cases[] = {
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
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored.What);
    target.Clear();
    target.SetRaw("Effect", c.Stored.Type, c.Stored.Data);
    auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
    ASSERT_TRUE(key->IsOpen());
    EXPECT_TRUE(key->ValueExists("Effect"));
    int32_t value = 0;
    EXPECT_EQ(Outcome("Effect", [&] { value = key->ReadInteger("Effect"); }), c.Expected);
    if (c.Expected == TReadOutcome::Value) {
      EXPECT_EQ(value, c.Value);
    }
  }
  target.Clear();
  auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
  EXPECT_FALSE(key->ValueExists("Effect"));
  EXPECT_EQ(Outcome("Effect", [&] { key->ReadInteger("Effect"); }), TReadOutcome::GetError);
}

inline void CheckStringReads(TRegistryContractTarget& target) {
  struct TCase {
    TStoredValue Stored;
    TReadOutcome Expected;
    const char* Text;
  };
  const TCase cases[] = {
      {{"text", TRegType::String, std::string("C:\\Sounds\\click.wav", 20)}, TReadOutcome::Value, "C:\\Sounds\\click.wav"},
      {{"expandable text, not expanded", TRegType::ExpandString, std::string("%TEMP%\\a.wav", 13)},
       TReadOutcome::Value, "%TEMP%\\a.wav"},
      {{"text ends at its first NUL", TRegType::String, std::string("ab\0cd", 6)}, TReadOutcome::Value, "ab"},
      {{"empty text", TRegType::String, std::string(1, '\0')}, TReadOutcome::Value, ""},
      {{"size 0 of any type", TRegType::Binary, ""}, TReadOutcome::Value, ""},
      {{"dword", TRegType::Dword, Le32(1)}, TReadOutcome::TypeError, ""},
      {{"raw bytes", TRegType::Binary, "xyz"}, TReadOutcome::TypeError, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stored.What);
    target.Clear();
    target.SetRaw("", c.Stored.Type, c.Stored.Data);
    auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
    EXPECT_TRUE(key->ValueExists(""));
    std::string text;
    EXPECT_EQ(Outcome("", [&] { text = key->ReadString(""); }), c.Expected);
    if (c.Expected == TReadOutcome::Value) {
      EXPECT_EQ(text, c.Text);
    }
  }
  target.Clear();
  auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
  EXPECT_FALSE(key->ValueExists(""));
  EXPECT_EQ(Outcome("", [&] { key->ReadString(""); }), TReadOutcome::GetError);
}

inline void CheckWrites(TRegistryContractTarget& target) {
  target.Clear();
  {
    auto key = target.Registry().OpenCurrentUserKey(target.KeyPath(), false);
    key->WriteInteger("Page_Transitions", -2);
    key->WriteString("", "C:\\a.wav[deactivated]");
    key->WriteString("Empty", "");
  }
  using TRaw = std::optional<std::pair<TRegType, std::string>>;
  EXPECT_EQ(target.GetRaw("Page_Transitions"), (TRaw{{TRegType::Dword, Le32(0xFFFFFFFEu)}}));
  EXPECT_EQ(target.GetRaw(""), (TRaw{{TRegType::String, std::string("C:\\a.wav[deactivated]", 22)}}));
  EXPECT_EQ(target.GetRaw("Empty"), (TRaw{{TRegType::String, std::string(1, '\0')}}));

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
    try {
      key->WriteInteger("x", 1);
      ADD_FAILURE() << "a write to a key that is not open succeeded";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message(), RegistrySetErrorText("x"));
    }
    EXPECT_THROW(key->WriteString("x", "t"), ERegistryException);
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
