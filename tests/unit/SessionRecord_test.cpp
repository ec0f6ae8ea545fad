// What the next start makes of a session's record: a session whose process is gone gets its settings
// back exactly while they hold its change, its files deleted and its record removed.
#include <gtest/gtest.h>

#include <set>

#include "host/BrowserGuards.h"
#include "host/SessionRecord.h"
#include "registry/MemoryRegistry.h"
#include "tests/support/Le32.h"

namespace {

const std::string SoundKey = NavigationSoundKeyPath, MainKey = BrowserMainKeyPath, Records = SessionsKeyPath;
const std::string SoundBefore("%SystemRoot%\\n.wav\0", 19);

std::string Stored(const TMemoryRegistry& r, const std::string& key, const std::string& name) {
  auto v = r.Value(key, name);
  return v ? std::to_string(static_cast<int>(v->Type)) + ":" + v->Data : "missing";
}

// Process `id` runs a session as the saver window does; gives whether it found transitions off.
bool Start(TMemoryRegistry& r, uint32_t id) {
  RecordSession(r, {id, 1000u + id});
  DisableNavigationSound(r);
  const bool wereOff = EnablePageTransitions(r);
  RecordSessionFiles(r, id, "C:\\T\\ins" + std::to_string(id) + ".jpg", "C:\\T\\ins" + std::to_string(id) + ".htm");
  return wereOff;
}

// Recovers with the processes `running` alive (started when recorded); gives the files deleted.
std::vector<std::string> Recover(TMemoryRegistry& r, const std::set<uint32_t>& running) {
  std::vector<std::string> deleted;
  RecoverSessions(r, [&](const TProcessStamp& s) { return running.count(s.Id) && s.StartTime == 1000u + s.Id; },
                  [&](const std::string& path) { deleted.push_back(path); });
  return deleted;
}

TMemoryRegistry Before(int32_t transitions) {
  TMemoryRegistry r;
  r.SetValue(SoundKey, "", TRegType::ExpandString, SoundBefore);
  r.SetInteger(MainKey, PageTransitionsValueName, transitions);
  return r;
}

}  // namespace

TEST(SessionRecord, AKilledSessionsSettingsComeBackExactlyAndItsTracesGo) {
  for (int32_t transitions : {0, 1, 2}) {
    TMemoryRegistry r = Before(transitions);
    Start(r, 7);
    EXPECT_TRUE(Recover(r, {7}).empty());  // still running
    EXPECT_EQ(Recover(r, {}), (std::vector<std::string>{"C:\\T\\ins7.htm", "C:\\T\\ins7.jpg"}));
    EXPECT_EQ(Stored(r, SoundKey, ""), "2:" + SoundBefore);
    EXPECT_EQ(Stored(r, MainKey, PageTransitionsValueName), "4:" + Le32(static_cast<uint32_t>(transitions)));
    EXPECT_FALSE(r.KeyExists("Software\\Tarnwell"));
    EXPECT_EQ(r.OpenKeyCount(), 0);
  }
}

// A preview (9) and a full-screen session (10) side by side, one or both killed, the rest ending normally.
TEST(SessionRecord, OverlappingSessionsEndWithTheSettingsOfBeforeWhicheverWasKilled) {
  for (std::set<uint32_t> running : {std::set<uint32_t>{10}, {9}, {}}) {
    TMemoryRegistry r = Before(0);
    const bool wereOff[2] = {Start(r, 9), Start(r, 10)};
    Recover(r, running);
    for (uint32_t id : {10u, 9u})
      if (running.count(id)) {
        RestoreNavigationSound(r);
        if (wereOff[id - 9]) RestorePageTransitions(r);
        ForgetSession(r, id);
      }
    EXPECT_EQ(Stored(r, SoundKey, ""), "2:" + SoundBefore) << running.size();
    EXPECT_EQ(Stored(r, MainKey, PageTransitionsValueName), "4:" + Le32(0)) << running.size();
    EXPECT_FALSE(r.KeyExists(Records));
  }
}

TEST(SessionRecord, WhatOthersChangedOrPlantedIsLeftAlone) {
  TMemoryRegistry r = Before(0);
  Start(r, 5);
  r.SetString(SoundKey, "", "other.wav");  // since the kill the user chose another sound ...
  r.SetInteger(MainKey, PageTransitionsValueName, 0);  // ... and switched transitions off
  r.SetString(Records + "\\6", PictureFileValueName, "C:\\Users\\me\\thesis.doc");  // no session's files
  r.SetString(Records + "\\6", PageFileValueName, "C:\\T\\ins12345.htm");
  r.SetString(Records + "\\x", PageFileValueName, "C:\\T\\ins1.htm");  // names no process
  EXPECT_EQ(Recover(r, {}), (std::vector<std::string>{"C:\\T\\ins5.htm", "C:\\T\\ins5.jpg"}));
  EXPECT_EQ(Stored(r, SoundKey, ""), "1:" + std::string("other.wav\0", 10));
  EXPECT_EQ(Stored(r, MainKey, PageTransitionsValueName), "4:" + Le32(0));
  EXPECT_EQ(r.SubKeyNames(Records), std::vector<std::string>{"x"});
  for (const char* name : {"ins1.htm", "D:\\a b\\insffff.jpg"}) EXPECT_TRUE(IsSessionFileName(name)) << name;
  for (const char* name : {"ins.jpg", "insXY.jpg", "ins1.tmp", "abc1.jpg", "C:\\ins1.jpg\\x.doc"})
    EXPECT_FALSE(IsSessionFileName(name)) << name;
}
