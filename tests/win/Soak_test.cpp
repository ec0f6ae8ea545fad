// A long slideshow through the real session: the saver window, its page view, its temporary files
// and every kind of transition, each played to its end, picture after picture as fast as the
// machine allows (the ticks are given by hand, and the view's clock runs a hundred times faster,
// so that a transition still draws a frame on its way). What the process holds of the system must
// stay flat, and a picture that cannot be written is skipped in silence and leaves nothing behind.
//
// The preview is 512 x 400: the landscape pictures and the strips are reduced in the decoder and
// then copied, the portrait is decoded whole and resampled, so each way a picture takes to the
// screen is taken many times over, with a quarter of the pixels of a 1024 x 768 screen to move.
//
// LUMI_SOAK_CHANGES sets the number of picture changes (default 500; a day of slideshow is about
// 10,000). The table of samples is printed.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/TextWin32.h"
#include "saver/SchonerWin32.h"
#include "settings/SettingsStore.h"
#include "tests/support/ProcessResources.h"
#include "tests/win/PreviewHost.h"

namespace {

constexpr int Width = 512, Height = 400;
constexpr double TimeScale = 100;

// Growth allowed between the first sample and any later one. The counts must not move: every
// picture change makes and drops the same objects. Private bytes may move by what the heap keeps
// of a few frames and decoded pictures (under 2 MB each) between changes; a frame leaked per change
// goes beyond that within a few dozen changes, a kilobyte per change within a day's 10,000.
constexpr uint32_t CountTolerance = 2;
constexpr uint64_t PrivateBytesTolerance = 8ull << 20;

class SessionRun : public testing::Test {
protected:
  // The random effect: every kind of transition comes up.
  void SetUp() override {
    const DWORD random = 24;
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Effect", REG_DWORD, &random, sizeof random);
    Application.OnException = [this](const std::exception& e) { Reported.push_back(e.what()); };
  }
  void TearDown() override {
    Application.OnException = nullptr;
    RegDeleteKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Effect");
  }
  std::vector<std::string> Reported;
};

using Soak = SessionRun;
using SessionWrites = SessionRun;

TEST_F(Soak, WhatTheProcessHoldsStaysFlat) {
  const char* text = std::getenv("LUMI_SOAK_CHANGES");
  const int changes = text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 500;
  const int every = changes >= 5000 ? 1000 : std::max(changes / 5, 1);
  struct TSample {
    int Changes;
    TProcessResources Held;
  };
  std::vector<TSample> samples;
  const std::vector<std::string> filesBefore = SessionFiles();
  RunSession(Width, Height, TimeScale, [&](TSchoner& session) {
    for (int change = 1; change <= changes; ++change) {
      ASSERT_TRUE(NextPicture(session)) << "no picture change at " << change;
      if (change % every == 0) samples.push_back({change, ProcessResources()});
    }
  });
  EXPECT_TRUE(Reported.empty()) << Reported.front();
  EXPECT_EQ(SessionFiles(), filesBefore);

  std::printf("%8s %8s %8s %8s %14s\n", "changes", "GDI", "USER", "handles", "private bytes");
  for (const TSample& s : samples)
    std::printf("%8d %8u %8u %8u %14llu\n", s.Changes, s.Held.GdiObjects, s.Held.UserObjects, s.Held.Handles,
                static_cast<unsigned long long>(s.Held.PrivateBytes));
  ASSERT_GE(samples.size(), 2u);
  const TProcessResources& first = samples.front().Held;
  ASSERT_TRUE(first.GdiObjects > 0 && first.UserObjects > 0 && first.Handles > 0) << "a count could not be taken";
  for (const TSample& s : samples) {
    SCOPED_TRACE("after " + std::to_string(s.Changes) + " changes");
    EXPECT_LE(s.Held.GdiObjects, first.GdiObjects + CountTolerance);
    EXPECT_LE(s.Held.UserObjects, first.UserObjects + CountTolerance);
    EXPECT_LE(s.Held.Handles, first.Handles + CountTolerance);
    EXPECT_LE(s.Held.PrivateBytes, first.PrivateBytes + PrivateBytesTolerance);
  }
}

// A picture that cannot be written (here another program holds the file open) is passed over in
// silence, however often: the view keeps its page, the next picture comes as usual, and the
// session leaves nothing behind.
TEST_F(SessionWrites, AFailedPictureWriteIsPassedOverAndTheNextPictureComes) {
  const std::vector<std::string> filesBefore = SessionFiles();
  RunSession(Width, Height, TimeScale, [&](TSchoner& session) {
    ASSERT_TRUE(NextPicture(session));
    std::vector<std::string> files = SessionFiles();
    std::erase_if(files, [](const std::string& name) { return !name.ends_with(".jpg"); });
    ASSERT_EQ(files.size(), 1u);
    HANDLE held = CreateFileW(Utf8ToWide(TempDirectory() + files[0]).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (int change = 0; change < 3; ++change)
      EXPECT_FALSE(NextPicture(session)) << "a picture came although its file could not be written";
    CloseHandle(held);
    EXPECT_TRUE(NextPicture(session)) << "the slideshow stopped after the failure";
  });
  EXPECT_TRUE(Reported.empty()) << Reported.front();
  EXPECT_EQ(SessionFiles(), filesBefore);
}

}  // namespace
