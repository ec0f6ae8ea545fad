// A host for in-process preview sessions: a white frame with a preview child, as the display
// settings show it, the session's picture changes given by hand, and its files in the temporary
// directory.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/ApplicationWin32.h"
#include "base/RunState.h"
#include "saver/SchonerWin32.h"
#include "tests/support/MessageLoop.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestAccess.h"
#include "tests/support/TestWindows.h"

// Opens the host with a width x height preview child; returns the frame.
inline HWND OpenPreviewHost(int width, int height) {
  Application.Initialize();
  TTestAccess::ResetTerminated();
  HWND frame = CreateHostWindow(0, WS_POPUP | WS_VISIBLE, 0, 0, width + 40, height + 40, nullptr, WHITE_BRUSH);
  CreateHostWindow(0, WS_CHILD | WS_VISIBLE, 20, 20, width, height, frame, WHITE_BRUSH);
  return frame;
}

// The request of a preview in the host's preview child.
inline TRunRequest PreviewIn(HWND frame) {
  return {smPreview, static_cast<int32_t>(reinterpret_cast<intptr_t>(GetWindow(frame, GW_CHILD)))};
}

inline void ClosePreviewHost(HWND frame) {
  TTestAccess::ResetTerminated();
  DestroyWindow(frame);
}

// For a session whose window's own timer is stopped: gives ticks until the picture changes and its
// transition starts; false when none came within the longest count.
inline bool StartNextPicture(TSchoner& session) {
  const TTransitionPlayer& player = TTestAccess::Player(*session.PageView);
  for (int tick = 0; tick < 100 && !player.Animating(); ++tick)
    SendMessageW(session.Handle(), WM_TIMER, session.PictureTimer.Id(), 0);
  return player.Animating();
}

// The same, then plays the transition to the end; false also when it did not end.
inline bool NextPicture(TSchoner& session) {
  const TTransitionPlayer& player = TTestAccess::Player(*session.PageView);
  return StartNextPicture(session) && PumpUntil([&] { return !player.Animating(); });
}

// Runs `script` inside the modal loop of a width x height preview session whose transitions run
// timeScale times faster, then closes the session, which ends the loop as a cancel. The window's
// own timer is stopped: only the ticks the script gives count.
inline void RunSession(int width, int height, double timeScale, const std::function<void(TSchoner&)>& script) {
  static const std::function<void(TSchoner&)>* Script = nullptr;
  static TSchoner* Running = nullptr;
  HWND frame = OpenPreviewHost(width, height);
  {
    TSchoner schoner(PreviewIn(frame));
    schoner.Create();
    ASSERT_NE(schoner.Handle(), nullptr);
    TTestAccess::SetTimeScale(TTestAccess::Player(*schoner.PageView), timeScale);
    Script = &script;
    Running = &schoner;
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      KillTimer(Running->Handle(), Running->PictureTimer.Id());
      (*Script)(*Running);
      PostMessageW(Running->Handle(), WM_CLOSE, 0, 0);
    });
    schoner.ShowModal();
    EXPECT_EQ(schoner.ModalResult(), mrCancel);
    Application.ProcessMessages();  // the session's quit message, as the program's main loop takes it
  }
  ClosePreviewHost(frame);
}

// The names of the session's files ("ins*") in the temporary directory.
inline std::vector<std::string> SessionFiles() { return TempFiles("ins*"); }
