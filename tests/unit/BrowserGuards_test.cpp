// The browser settings guarded for a session: what each guard leaves in the registry, the
// session's round trip and two sessions overlapping, keys and values that are not there, and
// the errors of values of the wrong type.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "base/Errors.h"
#include "host/BrowserGuards.h"
#include "registry/MemoryRegistry.h"
#include "tests/support/Le32.h"
#include "tests/support/Raised.h"

namespace {

const std::string SoundKey = NavigationSoundKeyPath;
const std::string MainKey = BrowserMainKeyPath;

// A stored text as the system keeps it: its bytes and the terminating NUL.
std::string Sz(const std::string& text) { return text + '\0'; }

struct TRaw {
  TRegType Type;
  std::string Data;
  bool operator==(const TRaw&) const = default;
};

void PrintTo(const TRaw& raw, std::ostream* out) {
  *out << "type " << static_cast<uint32_t>(raw.Type) << " \"" << raw.Data << '"';
}

std::optional<TRaw> Raw(const TMemoryRegistry& registry, const std::string& key, const std::string& name) {
  if (auto value = registry.Value(key, name)) return TRaw{value->Type, value->Data};
  return std::nullopt;
}

// Every guard as one call on a registry.
void (*const AllGuards[])(TRegistry&) = {&DisableNavigationSound, [](TRegistry& r) { EnablePageTransitions(r); },
                                         &RestoreNavigationSound, &RestorePageTransitions};

}  // namespace

TEST(BrowserGuards, SoundCarriesTheMarkerDuringTheSessionAndComesBackAfterIt) {
  struct TCase {
    const char* What;
    TRaw Before;
    std::string During;  // texts, stored as the type Before has
    std::string After;
  } cases[] = {
      {"a sound file", {TRegType::String, Sz("C:\\Windows\\Media\\Navigate.wav")},
       "C:\\Windows\\Media\\Navigate.wav[deactivated]", "C:\\Windows\\Media\\Navigate.wav"},
      {"empty text", {TRegType::String, Sz("")}, "[deactivated]", ""},
      {"no data at all", {TRegType::String, ""}, "[deactivated]", ""},
      {"expandable text stays expandable and unexpanded", {TRegType::ExpandString, Sz("%SystemRoot%\\Media\\n.wav")},
       "%SystemRoot%\\Media\\n.wav[deactivated]", "%SystemRoot%\\Media\\n.wav"},
      {"a marker left by a session that never ended", {TRegType::String, Sz("n.wav[deactivated]")},
       "n.wav[deactivated][deactivated]", "n.wav"},
      {"the marker's case matters", {TRegType::String, Sz("n.wav[DEACTIVATED]")},
       "n.wav[DEACTIVATED][deactivated]", "n.wav[DEACTIVATED]"},
      {"the text ends at its first NUL", {TRegType::String, Sz(std::string("n.wav\0old", 9))},
       "n.wav[deactivated]", "n.wav"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TMemoryRegistry registry;
    registry.SetValue(SoundKey, "", c.Before.Type, c.Before.Data);
    DisableNavigationSound(registry);
    EXPECT_EQ(Raw(registry, SoundKey, ""), (TRaw{c.Before.Type, Sz(c.During)}));
    RestoreNavigationSound(registry);
    EXPECT_EQ(Raw(registry, SoundKey, ""), (TRaw{c.Before.Type, Sz(c.After)}));
    EXPECT_EQ(registry.ValueCount(SoundKey), 1u);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
  }
}

TEST(BrowserGuards, RestoreCutsAtTheFirstMarkerAndWritesBackEveryText) {
  struct TCase {
    const char* What;
    TRaw AtTheEnd;
    std::string After;
  } cases[] = {
      {"two markers with text behind them", {TRegType::String, Sz("a.wav[deactivated]b[deactivated]c")}, "a.wav"},
      {"only the marker", {TRegType::String, Sz("[deactivated]")}, ""},
      {"changed by the user meanwhile", {TRegType::String, Sz("other.wav")}, "other.wav"},
      {"no marker, expandable", {TRegType::ExpandString, Sz("%x%.wav")}, "%x%.wav"},
      {"part of a marker", {TRegType::String, Sz("a.wav[deactivat")}, "a.wav[deactivat"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TMemoryRegistry registry;
    registry.SetValue(SoundKey, "", c.AtTheEnd.Type, c.AtTheEnd.Data);
    RestoreNavigationSound(registry);
    EXPECT_EQ(Raw(registry, SoundKey, ""), (TRaw{c.AtTheEnd.Type, Sz(c.After)}));
  }
}

TEST(BrowserGuards, PageTransitionsAreOnDuringTheSessionAndOffAfterItOnlyIfTheyWereOff) {
  struct TCase {
    const char* What;
    std::optional<int32_t> Before;  // nothing: the key holds other values only
    std::optional<int32_t> During;
    bool WereOff;
    std::optional<int32_t> After;
  } cases[] = {
      {"off", 0, 1, true, 0},
      {"on", 1, 1, false, 1},
      {"another non-zero value is left on", 2, 1, false, 1},
      {"negative", -1, 1, false, 1},
      {"missing", std::nullopt, std::nullopt, false, std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TMemoryRegistry registry;
    registry.SetString(MainKey, "Start Page", "about:blank");
    if (c.Before) registry.SetInteger(MainKey, PageTransitionsValueName, *c.Before);
    const auto dword = [](std::optional<int32_t> v) {
      return v ? std::optional<TRaw>(TRaw{TRegType::Dword, Le32(static_cast<uint32_t>(*v))}) : std::nullopt;
    };
    const bool wereOff = EnablePageTransitions(registry);
    EXPECT_EQ(wereOff, c.WereOff);
    EXPECT_EQ(Raw(registry, MainKey, "page_transitions"), dword(c.During));
    if (wereOff) RestorePageTransitions(registry);
    EXPECT_EQ(Raw(registry, MainKey, "Page_Transitions"), dword(c.After));
    EXPECT_EQ(registry.ValueCount(MainKey), c.Before ? 2u : 1u);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
  }
}

TEST(BrowserGuards, NothingIsCreatedWhereAKeyOrValueIsMissing) {
  struct TCase {
    const char* What;
    void (*Prepare)(TMemoryRegistry&);
  } cases[] = {
      {"no keys", [](TMemoryRegistry&) {}},
      {"keys without the values",
       [](TMemoryRegistry& r) {
         r.SetString(SoundKey, "Other", "x");
         r.SetInteger(MainKey, "Other", 0);
       }},
      {"keys without rights",
       [](TMemoryRegistry& r) {
         r.SetString(SoundKey, "", "n.wav");
         r.SetInteger(MainKey, PageTransitionsValueName, 0);
         r.DenyKey(SoundKey);
         r.DenyKey(MainKey);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TMemoryRegistry registry;
    c.Prepare(registry);
    // Whether each key is there, its setting and how many values it holds.
    const auto state = [&] {
      return std::tuple(registry.KeyExists(SoundKey), registry.KeyExists(MainKey), Raw(registry, SoundKey, ""),
                        Raw(registry, MainKey, PageTransitionsValueName), registry.ValueCount(SoundKey),
                        registry.ValueCount(MainKey));
    };
    const auto before = state();
    for (void (*guard)(TRegistry&) : AllGuards) EXPECT_EQ(Raised([&] { guard(registry); }), "");
    EXPECT_FALSE(EnablePageTransitions(registry));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
  }
}

// As the saver window does it, at creation and at the end: in a given registry, and by default in
// the one a TUseRegistry puts in place.
TEST(BrowserGuards, AWholeSessionPutsBothSettingsBackInTheGivenOrTheCurrentRegistry) {
  for (const bool current : {false, true}) {
    SCOPED_TRACE(current ? "the current registry, plain" : "a given registry, expandable");
    const TRegType type = current ? TRegType::String : TRegType::ExpandString;
    TMemoryRegistry registry;
    registry.SetString(SoundKey, "", "%SystemRoot%\\Media\\n.wav", type);
    registry.SetInteger(MainKey, PageTransitionsValueName, 0);
    std::optional<TUseRegistry> use;
    if (current) use.emplace(registry);
    current ? DisableNavigationSound() : DisableNavigationSound(registry);
    const bool wereOff = current ? EnablePageTransitions() : EnablePageTransitions(registry);
    EXPECT_EQ(Raw(registry, SoundKey, ""), (TRaw{type, Sz("%SystemRoot%\\Media\\n.wav[deactivated]")}));
    EXPECT_EQ(Raw(registry, MainKey, PageTransitionsValueName), (TRaw{TRegType::Dword, Le32(1)}));
    EXPECT_TRUE(wereOff);
    current ? RestoreNavigationSound() : RestoreNavigationSound(registry);
    current ? RestorePageTransitions() : RestorePageTransitions(registry);
    EXPECT_EQ(Raw(registry, SoundKey, ""), (TRaw{type, Sz("%SystemRoot%\\Media\\n.wav")}));
    EXPECT_EQ(Raw(registry, MainKey, PageTransitionsValueName), (TRaw{TRegType::Dword, Le32(0)}));
  }
}

// A preview and a full-screen session in two processes, each keeping what it found:
// whichever ends first cleans the sound, and only the first (which found transitions off)
// switches them off again.
TEST(BrowserGuards, TwoOverlappingSessionsEndWithTheSettingsOfBefore) {
  for (auto [firstEndsFirst, type] : {std::pair{true, TRegType::String}, {false, TRegType::String},
                                      {true, TRegType::ExpandString}, {false, TRegType::ExpandString}}) {
    SCOPED_TRACE(firstEndsFirst ? "the first session ends first" : "the second session ends first");
    SCOPED_TRACE(type == TRegType::String ? "plain" : "expandable");
    TMemoryRegistry registry;
    registry.SetString(SoundKey, "", "n.wav", type);
    registry.SetInteger(MainKey, PageTransitionsValueName, 0);

    bool wereOff[2];
    for (bool& flag : wereOff) {
      DisableNavigationSound(registry);
      flag = EnablePageTransitions(registry);
    }
    EXPECT_TRUE(wereOff[0]);
    EXPECT_FALSE(wereOff[1]);
    EXPECT_EQ(Raw(registry, SoundKey, ""), (TRaw{type, Sz("n.wav[deactivated][deactivated]")}));

    const int order[2] = {firstEndsFirst ? 0 : 1, firstEndsFirst ? 1 : 0};
    for (int session : order) {
      RestoreNavigationSound(registry);
      EXPECT_EQ(Raw(registry, SoundKey, ""), (TRaw{type, Sz("n.wav")}));
      if (wereOff[session]) RestorePageTransitions(registry);
    }
    EXPECT_EQ(Raw(registry, MainKey, PageTransitionsValueName), (TRaw{TRegType::Dword, Le32(0)}));
  }
}

// A value of another type than the setting's is not the setting: every guard passes it over in
// silence, as if it were missing.
TEST(BrowserGuards, AValueOfAnotherTypeIsLeftAloneWithoutAWord) {
  struct TCase {
    const char* What;
    const char* Key;
    const char* Name;
    TRaw Stored;
  } cases[] = {
      {"sound as an integer", NavigationSoundKeyPath, "", {TRegType::Dword, Le32(1)}},
      {"sound as raw bytes", NavigationSoundKeyPath, "", {TRegType::Binary, "n.wav"}},
      {"sound as no raw bytes", NavigationSoundKeyPath, "", {TRegType::Binary, ""}},
      {"sound as a list of texts", NavigationSoundKeyPath, "", {TRegType::MultiString, std::string("a\0\0", 3)}},
      {"transitions as a short text", BrowserMainKeyPath, PageTransitionsValueName, {TRegType::String, Sz("0")}},
      {"transitions as 4 raw bytes", BrowserMainKeyPath, PageTransitionsValueName, {TRegType::Binary, Le32(0)}},
      {"transitions big-endian", BrowserMainKeyPath, PageTransitionsValueName, {TRegType::DwordBigEndian, Le32(0)}},
      {"transitions as a text of 4 characters", BrowserMainKeyPath, PageTransitionsValueName,
       {TRegType::String, Sz("none")}},
      {"transitions as 8 bytes", BrowserMainKeyPath, PageTransitionsValueName, {TRegType::Qword, Le32(0) + Le32(0)}},
      {"transitions as a short integer", BrowserMainKeyPath, PageTransitionsValueName, {TRegType::Dword, "\0\0"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TMemoryRegistry registry;
    registry.SetValue(c.Key, c.Name, c.Stored.Type, c.Stored.Data);
    for (void (*guard)(TRegistry&) : AllGuards) EXPECT_EQ(Raised([&] { guard(registry); }), "");
    EXPECT_EQ(Raw(registry, c.Key, c.Name), c.Stored);
    EXPECT_FALSE(EnablePageTransitions(registry));
    EXPECT_EQ(registry.OpenKeyCount(), 0);
  }
}

TEST(BrowserGuards, AFailedWriteRaisesTheSetError) {
  struct TCase {
    void (*Guard)(TRegistry&);
    std::string Error;
  } cases[] = {
      {&DisableNavigationSound, "ERegistryException: Fehler beim Setzen der Daten f\xC3\xBCr ''"},
      {&RestoreNavigationSound, "ERegistryException: Fehler beim Setzen der Daten f\xC3\xBCr ''"},
      {[](TRegistry& r) { EnablePageTransitions(r); }, "ERegistryException: Fehler beim Setzen der Daten f\xC3\xBCr 'Page_Transitions'"},
      {&RestorePageTransitions, "ERegistryException: Fehler beim Setzen der Daten f\xC3\xBCr 'Page_Transitions'"},
  };
  for (const TCase& c : cases) {
    TMemoryRegistry registry;
    registry.SetString(SoundKey, "", "n.wav[deactivated]");
    registry.SetInteger(MainKey, PageTransitionsValueName, 1);
    registry.FailWritesTo(SoundKey);
    registry.FailWritesTo(MainKey);
    EXPECT_EQ(Raised([&] { c.Guard(registry); }), c.Error);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
  }
}
