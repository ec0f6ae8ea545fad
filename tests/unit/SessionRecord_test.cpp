// The record of a session and what the next start makes of it: a session whose process is gone
// gets its settings back exactly (type and bytes) while they still hold its change, its files
// deleted and its record removed; a running session's record is left; overlapping sessions end
// with the settings of before whichever of them was killed.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/MemoryRegistry.h"
#include "host/BrowserGuards.h"
#include "host/HostState.h"
#include "host/SessionRecord.h"
#include "tests/support/Le32.h"

namespace {

const std::string SoundKey = NavigationSoundKeyPath;
const std::string MainKey = BrowserMainKeyPath;

struct TSetting {
  TRegType Type;
  std::string Data;
  bool operator==(const TSetting&) const = default;
};

TSetting Sound(const TMemoryRegistry& r) {
  auto v = r.Value(SoundKey, "");
  return v ? TSetting{v->Type, v->Data} : TSetting{};
}
TSetting Transitions(const TMemoryRegistry& r) {
  auto v = r.Value(MainKey, PageTransitionsValueName);
  return v ? TSetting{v->Type, v->Data} : TSetting{};
}

// A session of process `id` as the saver window runs it: record, guards, files. Gives its
// TransitionsWereOff.
bool StartSession(TMemoryRegistry& registry, uint32_t id) {
  TransitionsWereOff = false;
  RecordSession(registry, {id, 1000u + id});
  DisableNavigationSound(registry);
  EnablePageTransitions(registry);
  RecordSessionFiles(registry, id, "C:\\T\\ins" + std::to_string(id) + ".jpg", "C:\\T\\ins" + std::to_string(id) + ".htm");
  return TransitionsWereOff;
}

void EndSession(TMemoryRegistry& registry, uint32_t id, bool wereOff) {
  RestoreNavigationSound(registry);
  if (wereOff) RestorePageTransitions(registry);
  ForgetSession(registry, id);
}

// Recovers with the processes in `running` alive; gives the files deleted.
std::vector<std::string> Recover(TMemoryRegistry& registry, const std::set<uint32_t>& running) {
  std::vector<std::string> deleted;
  RecoverSessions(
      registry, [&](const TProcessStamp& s) { return running.count(s.Id) && s.StartTime == 1000u + s.Id; },
      [&](const std::string& path) { deleted.push_back(path); });
  return deleted;
}

const TSetting SoundBefore{TRegType::ExpandString, std::string("%SystemRoot%\\n.wav\0", 19)};

}  // namespace

TEST(SessionRecord, AKilledSessionsSettingsComeBackExactlyAndItsTracesGo) {
  for (int32_t before : {0, 1, 2}) {
    SCOPED_TRACE(before);
    TMemoryRegistry registry;
    registry.SetValue(SoundKey, "", SoundBefore.Type, SoundBefore.Data);
    registry.SetInteger(MainKey, PageTransitionsValueName, before);
    StartSession(registry, 7);
    EXPECT_TRUE(registry.KeyExists(std::string(SessionsKeyPath) + "\\7"));

    EXPECT_EQ(Recover(registry, {7}), std::vector<std::string>{});  // still running: nothing
    EXPECT_NE(Sound(registry), SoundBefore);
    EXPECT_EQ(Recover(registry, {}), (std::vector<std::string>{"C:\\T\\ins7.htm", "C:\\T\\ins7.jpg"}));
    EXPECT_EQ(Sound(registry), SoundBefore);
    EXPECT_EQ(Transitions(registry), (TSetting{TRegType::Dword, Le32(static_cast<uint32_t>(before))}));
    EXPECT_FALSE(registry.KeyExists("Software\\Tarnwell"));
    EXPECT_EQ(registry.OpenKeyCount(), 0);
  }
}

// A preview (process 9) and a full-screen session (process 10) side by side; any of them killed,
// in any order of recovery, the rest ending normally: the settings of before.
TEST(SessionRecord, OverlappingSessionsEndWithTheSettingsOfBeforeWhicheverWasKilled) {
  for (std::set<uint32_t> killed : {std::set<uint32_t>{9}, {10}, {9, 10}}) {
    TMemoryRegistry registry;
    registry.SetValue(SoundKey, "", SoundBefore.Type, SoundBefore.Data);
    registry.SetInteger(MainKey, PageTransitionsValueName, 0);
    const bool wereOff9 = StartSession(registry, 9);
    const bool wereOff10 = StartSession(registry, 10);
    std::set<uint32_t> running{9, 10};
    for (uint32_t id : killed) running.erase(id);
    Recover(registry, running);
    if (running.count(10)) EndSession(registry, 10, wereOff10);
    if (running.count(9)) EndSession(registry, 9, wereOff9);
    EXPECT_EQ(Sound(registry), SoundBefore) << killed.size() << *killed.begin();
    EXPECT_EQ(Transitions(registry), (TSetting{TRegType::Dword, Le32(0)})) << killed.size() << *killed.begin();
    EXPECT_FALSE(registry.KeyExists(SessionsKeyPath));
  }
}

TEST(SessionRecord, WhatOthersChangedOrPlantedIsLeftAlone) {
  TMemoryRegistry registry;
  registry.SetString(SoundKey, "", "n.wav");
  registry.SetInteger(MainKey, PageTransitionsValueName, 0);
  StartSession(registry, 5);
  // Since the kill the user chose another sound and switched transitions off.
  registry.SetString(SoundKey, "", "other.wav");
  registry.SetInteger(MainKey, PageTransitionsValueName, 0);
  // Records another program could have left: names that are no session's files, a key that
  // names no process.
  registry.SetString(std::string(SessionsKeyPath) + "\\6", PictureFileValueName, "C:\\Users\\me\\thesis.doc");
  registry.SetString(std::string(SessionsKeyPath) + "\\6", PageFileValueName, "C:\\T\\ins12345.htm");
  registry.SetString(std::string(SessionsKeyPath) + "\\x", PageFileValueName, "C:\\T\\ins1.htm");
  EXPECT_EQ(Recover(registry, {}), (std::vector<std::string>{"C:\\T\\ins5.htm", "C:\\T\\ins5.jpg"}));
  EXPECT_EQ(Sound(registry), (TSetting{TRegType::String, std::string("other.wav\0", 10)}));
  EXPECT_EQ(Transitions(registry), (TSetting{TRegType::Dword, Le32(0)}));
  EXPECT_EQ(registry.SubKeyNames(SessionsKeyPath), std::vector<std::string>{"x"});
}

TEST(SessionRecord, SessionFileNames) {
  for (const char* name : {"C:\\T\\ins1A2B.jpg", "ins1.htm", "D:\\a b\\insffff.htm"}) EXPECT_TRUE(IsSessionFileName(name)) << name;
  for (const char* name : {"C:\\T\\ins12345.jpg", "C:\\T\\ins.jpg", "C:\\T\\insXY.jpg", "C:\\T\\ins1.tmp", "C:\\T\\abc1.jpg",
                           "C:\\ins1.jpg\\x.doc"})
    EXPECT_FALSE(IsSessionFileName(name)) << name;
}
