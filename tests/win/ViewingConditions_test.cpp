// The notices of a display switched off, a session locked or disconnected, as the system delivers
// them to the saver window: nothing is drawn and no picture changes until the slideshow is seen
// again; then it goes on from where it was. A remote session's transitions draw few frames.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "display/FrameClockWin32.h"
#include "saver/SchonerWin32.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestAccess.h"
#include "tests/win/PreviewHost.h"

namespace {

void SendDisplayState(HWND window, DWORD state) {
  struct {
    POWERBROADCAST_SETTING Setting;
    DWORD Rest;
  } notice{{ConsoleDisplayState, sizeof(DWORD), {}}, 0};
  CopyMemory(notice.Setting.Data, &state, sizeof state);
  SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&notice.Setting));
}

void SendSessionChange(HWND window, WPARAM event) { SendMessageW(window, WM_WTSSESSION_CHANGE, event, 0); }

// The session's picture file as it stands.
std::string PictureBytes() {
  for (const std::string& name : SessionFiles())
    if (name.ends_with(".jpg")) {
      char folder[MAX_PATH + 1] = {};
      GetTempPathA(MAX_PATH, folder);
      std::ifstream file(std::string(folder) + name, std::ios::binary);
      std::stringstream text;
      text << file.rdbuf();
      return text.str();
    }
  return {};
}

TEST(ViewingConditions, NothingIsDrawnOrWrittenWhileNobodySeesAndTheShowGoesOnAfter) {
  struct TCase {
    const char* Name;
    std::function<void(HWND)> Away, Back;
  } cases[] = {
      {"display off", [](HWND w) { SendDisplayState(w, 0); }, [](HWND w) { SendDisplayState(w, 1); }},
      {"display off, back dimmed", [](HWND w) { SendDisplayState(w, 0); }, [](HWND w) { SendDisplayState(w, 2); }},
      {"locked", [](HWND w) { SendSessionChange(w, WTS_SESSION_LOCK); },
       [](HWND w) { SendSessionChange(w, WTS_SESSION_UNLOCK); }},
      {"disconnected", [](HWND w) { SendSessionChange(w, WTS_CONSOLE_DISCONNECT); },
       [](HWND w) { SendSessionChange(w, WTS_CONSOLE_CONNECT); }},
  };
  RunSession(320, 240, 10, [&](TSchoner& session) {
    TTransitionPlayer& player = TTestAccess::Player(*session.PageView);
    for (const TCase& c : cases) {
      SCOPED_TRACE(c.Name);
      // Away in the middle of a transition: it ends on its new picture, unseen.
      ASSERT_TRUE(StartNextPicture(session));
      Application.HandleMessage();
      c.Away(session.Handle());
      const uint64_t frames = TTestAccess::FramesDrawn(player);
      const std::string picture = PictureBytes();
      ASSERT_TRUE(PumpUntil([&] { return !player.Animating(); })) << "the transition did not end";
      EXPECT_FALSE(NextPicture(session)) << "a picture changed while nobody could see it";
      EXPECT_EQ(TTestAccess::FramesDrawn(player), frames);
      EXPECT_EQ(PictureBytes(), picture);
      c.Back(session.Handle());
      EXPECT_TRUE(NextPicture(session)) << "the slideshow did not go on";
      EXPECT_GT(TTestAccess::FramesDrawn(player), frames);
    }
  });
}

TEST(ViewingConditions, ARemoteSessionDrawsAtMostTenFramesASecond) {
  RunSession(320, 240, 10, [&](TSchoner& session) {
    TTransitionPlayer& player = TTestAccess::Player(*session.PageView);
    ASSERT_TRUE(NextPicture(session));
    FrameClock().SetPolicy({false, 10, 1.0});
    const uint64_t before = TTestAccess::FramesDrawn(player);
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(NextPicture(session));  // 3 s at ten times the speed: 0.3 s
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000;
    FrameClock().SetPolicy({});
    const uint64_t frames = TTestAccess::FramesDrawn(player) - before;
    EXPECT_GE(frames, 1u) << "the transition did not reach its last frame";
    EXPECT_LE(static_cast<double>(frames), seconds * 10 + 2) << frames << " frames in " << seconds << " s";
  });
}

}  // namespace
